// The method description window "Описание методики расчета": the method's page of the help,
// with links to the other pages; its place and size are kept in the window state.
#pragma once

#include <QWidget>

namespace kvarn {

class THelpBook;
class TStatMethod;
class TWindowStateStore;

void ShowMethodHelp(QWidget* parent, const THelpBook& book, const TStatMethod& method,
                    TWindowStateStore* state = nullptr);

}  // namespace kvarn
