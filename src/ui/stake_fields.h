// The fields the stake dialogs share, each under its caption in the dialog's column: the first
// draw, the comment and the number of draws staked.
#pragma once

#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <string>

namespace kvarn {

QSpinBox* AddDrawNumberField(QWidget* dialog, QVBoxLayout* column, int drawNumber);
// Takes at most as many characters as a stake's comment keeps.
QLineEdit* AddCommentField(QWidget* dialog, QVBoxLayout* column, const std::string& comment);
QSpinBox* AddDrawsCountField(QWidget* dialog, QVBoxLayout* column, int draws);

}  // namespace kvarn
