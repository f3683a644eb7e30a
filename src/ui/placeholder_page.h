// The page of a tab whose contents are not built yet: an empty area, with the tab's own status
// bar where it has one.
#pragma once

#include <functional>
#include <vector>

#include "ui/page.h"

namespace kvarn {

class TPlaceholderPage : public TPage {
  Q_OBJECT
 public:
  TPlaceholderPage(TTemplateMain& main, const std::vector<const char*>& statusTexts,
                   QWidget* parent);
};

// The line of a placeholder in the list of pages.
std::function<TPage*(TTemplateMain&, QWidget*)> MakePlaceholder(
    std::vector<const char*> statusTexts = {});

}  // namespace kvarn
