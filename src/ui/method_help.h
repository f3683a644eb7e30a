// The method description window: the method's page of the help file, or a note that there is
// no description.
#pragma once

#include <QWidget>
#include <string>

namespace kvarn {

void ShowMethodHelp(QWidget* parent, const std::string& topic, const std::string& caption);

}  // namespace kvarn
