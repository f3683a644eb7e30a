// The button rows of the program's dialogs. Their captions are the program's own, whatever
// translations the toolkit has, as the question boxes answer "Да" and "Нет".
#pragma once

#include <QDialog>
#include <QDialogButtonBox>

namespace kvarn {

// "OK" accepts the dialog, "Отмена" rejects it.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);
// "Закрыть" closes the dialog.
QDialogButtonBox* CloseButton(QDialog* dialog);

}  // namespace kvarn
