// "Система": the properties of a system and its combination list, opened to add a system, to
// change one of one's own, or to view one (every field read-only, no OK). Leaving the combination
// list normalises it and recounts "Числа" and "Комбинаций"; OK closes only when the checks pass.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <functional>
#include <string>

#include "app/host.h"
#include "stakes/system.h"

namespace kvarn {

class TFormSystem : public QDialog {
  Q_OBJECT
 public:
  enum class TMode { Add, Edit, View };
  // Reads a system file into `data` (showing its own errors); "Загрузить из файла" uses it.
  using TLoader = std::function<bool(const std::string& path, tSystemData& data)>;

  TFormSystem(IHost& host, TMode mode, const tSystemData& data, TLoader loader, QWidget* parent);
  const tSystemData& Result() const { return result_; }

  QLineEdit* TitleField() const { return title_; }
  QLineEdit* AuthorField() const { return author_; }
  QLineEdit* NumbersField() const { return numbers_; }
  QLineEdit* LengthField() const { return length_; }
  QLineEdit* BlockField() const { return block_; }
  QLineEdit* CombsCountField() const { return combsCount_; }
  QLineEdit* CreatedField() const { return created_; }
  QLineEdit* UrlField() const { return url_; }
  QPlainTextEdit* DescriptionField() const { return description_; }
  QPlainTextEdit* CombsField() const { return combs_; }

  // The context menu of the combination list as it would open now.
  QMenu* MakeCombsMenu();
  // What leaving the combination list does.
  void NormaliseCombs();
  // The file commands of the menu with the file already chosen.
  void LoadCombs(const QString& path);
  void SaveCombs(const QString& path);

  void accept() override;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QLineEdit* AddLine(const QString& name, const QString& text, bool digits);

  IHost& host_;
  TMode mode_;
  tSystemData data_;
  tSystemData result_;
  TLoader loader_;
  QLineEdit* title_ = nullptr;
  QLineEdit* author_ = nullptr;
  QLineEdit* numbers_ = nullptr;
  QLineEdit* length_ = nullptr;
  QLineEdit* block_ = nullptr;
  QLineEdit* combsCount_ = nullptr;
  QLineEdit* created_ = nullptr;
  QLineEdit* downloads_ = nullptr;
  QLineEdit* lastDownload_ = nullptr;
  QLineEdit* url_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
  QPlainTextEdit* combs_ = nullptr;
};

}  // namespace kvarn
