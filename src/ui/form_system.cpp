#include "ui/form_system.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QUrl>
#include <QVBoxLayout>

#include "core/codec.h"
#include "core/dates.h"
#include "core/files.h"
#include "core/text.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

namespace {

QString Lines(const std::string& text) {
  return Q(SystemLinesText(SystemNormalise(text).Lines, "\n"));
}

}  // namespace

TFormSystem::TFormSystem(IHost& host, TMode mode, const tSystemData& data, TLoader loader,
                         QWidget* parent)
    : QDialog(parent), host_(host), mode_(mode), data_(data), loader_(std::move(loader)) {
  setObjectName(QStringLiteral("FormSystem"));
  setWindowTitle(QStringLiteral("Система"));
  const tSystemInfo& info = data.Info;
  auto* grid = new QGridLayout();
  auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };

  title_ = AddLine(QStringLiteral("edTitle"), Q(info.Title), false);
  author_ = AddLine(QStringLiteral("edAuthor"), Q(info.Author), false);
  numbers_ = AddLine(QStringLiteral("edNumsCount"), QString::number(info.NumsCount), true);
  numbers_->setToolTip(QStringLiteral("Количество используемых чисел"));
  length_ = AddLine(QStringLiteral("edCombLen"), QString::number(SystemCombLen), true);
  length_->setReadOnly(true);  // every system is written in combinations of five
  block_ = AddLine(QStringLiteral("edBlockLen"), QString::number(info.BlockLen), true);
  block_->setToolTip(QStringLiteral("Длина блока"));
  combsCount_ = AddLine(QStringLiteral("edCombsCount"), QString::number(info.CombsCount), false);
  combsCount_->setReadOnly(true);
  created_ = AddLine(QStringLiteral("edCreated"), Q(SystemDateText(info.Created)), false);
  created_->setReadOnly(true);
  downloads_ = AddLine(QStringLiteral("edDownloads"), QString::number(info.Downloads), false);
  downloads_->setReadOnly(true);
  lastDownload_ =
      AddLine(QStringLiteral("edLastDownload"), Q(SystemDateText(info.LastDownload)), false);
  lastDownload_->setReadOnly(true);
  url_ = AddLine(QStringLiteral("edURL"), Q(info.URL), false);

  grid->addWidget(label("Наименование:"), 0, 0);
  grid->addWidget(title_, 0, 1, 1, 7);
  grid->addWidget(label("Автор:"), 1, 0);
  grid->addWidget(author_, 1, 1, 1, 7);
  grid->addWidget(label("Числа:"), 2, 0);
  grid->addWidget(numbers_, 2, 1);
  grid->addWidget(label("Длина:"), 2, 2);
  grid->addWidget(length_, 2, 3);
  grid->addWidget(label("Блок:"), 2, 4);
  grid->addWidget(block_, 2, 5);
  grid->addWidget(label("Комбинаций:"), 2, 6);
  grid->addWidget(combsCount_, 2, 7);
  grid->addWidget(label("Создана:"), 3, 0);
  grid->addWidget(created_, 3, 1, 1, 3);
  grid->addWidget(label("Загрузок:"), 3, 4);
  grid->addWidget(downloads_, 3, 5);
  grid->addWidget(label("Последняя:"), 3, 6);
  grid->addWidget(lastDownload_, 3, 7);
  grid->addWidget(label("Ссылка:"), 4, 0);
  grid->addWidget(url_, 4, 1, 1, 7);
  grid->addWidget(label("Описание:"), 5, 0, Qt::AlignTop);
  description_ = new QPlainTextEdit(Q(info.Description), this);
  description_->setObjectName(QStringLiteral("memDescription"));
  description_->setTabChangesFocus(true);
  description_->setMaximumHeight(description_->fontMetrics().height() * 4 + 12);
  grid->addWidget(description_, 5, 1, 1, 7);
  for (int c : {1, 3, 5, 7}) grid->setColumnStretch(c, 1);

  auto* v = new QVBoxLayout(this);
  v->addLayout(grid);
  v->addWidget(label("Комбинации системы:"));
  combs_ = new QPlainTextEdit(Lines(data.Combs), this);
  combs_->setObjectName(QStringLiteral("memCombs"));
  combs_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  combs_->setTabChangesFocus(true);
  combs_->setContextMenuPolicy(Qt::CustomContextMenu);
  combs_->installEventFilter(this);
  connect(combs_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    QMenu* menu = MakeCombsMenu();
    menu->exec(combs_->viewport()->mapToGlobal(p));
    menu->deleteLater();
  });
  v->addWidget(combs_, 1);

  if (mode_ == TMode::View) {
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->setReadOnly(true);
    description_->setReadOnly(true);
    combs_->setReadOnly(true);
    v->addWidget(CloseButton(this));
  } else {
    v->addWidget(OkCancelButtons(this));
  }
  resize(560, 560);
  title_->setFocus();
}

QLineEdit* TFormSystem::AddLine(const QString& name, const QString& text, bool digits) {
  auto* e = new QLineEdit(text, this);
  e->setObjectName(name);
  if (digits) {
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    e->installEventFilter(this);
  }
  return e;
}

bool TFormSystem::eventFilter(QObject* o, QEvent* e) {
  if (o == combs_ && e->type() == QEvent::FocusOut && !combs_->isReadOnly()) {
    NormaliseCombs();
  } else if (e->type() == QEvent::KeyPress && o != combs_) {
    // Only digits go into the count fields; anything else that would type a character beeps.
    auto* k = static_cast<QKeyEvent*>(e);
    const QString t = k->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !t.at(0).isDigit() &&
        !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      QApplication::beep();
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

void TFormSystem::NormaliseCombs() {
  const TSystemNormalised n = SystemNormalise(S(combs_->toPlainText()));
  const QString text = Q(SystemLinesText(n.Lines, "\n"));
  if (text != combs_->toPlainText()) combs_->setPlainText(text);
  numbers_->setText(QString::number(n.NumsCount));
  combsCount_->setText(QString::number(n.CombsCount));
}

QMenu* TFormSystem::MakeCombsMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("pmCombs"));
  const bool editable = !combs_->isReadOnly();
  menu->addAction(QStringLiteral("Копировать в буфер обмена"), this, [this] {
    const QString selected = combs_->textCursor().selectedText();
    // The cursor gives line breaks as U+2029.
    QString text = selected.isEmpty() ? combs_->toPlainText() : selected;
    text.replace(QChar(0x2029), QLatin1Char('\n'));
    QApplication::clipboard()->setText(text);
  });
  QAction* paste = menu->addAction(QStringLiteral("Вставить из буфера обмена"), this,
                                   [this] { combs_->paste(); });
  paste->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
  menu->addAction(QStringLiteral("Выделить все"), this, [this] { combs_->selectAll(); });
  menu->addSeparator();
  QAction* load = menu->addAction(QStringLiteral("Загрузить из файла"), this, [this] {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Загрузить из файла"), QString(),
                                     QStringLiteral("Файлы систем (*.dat *.txt);;Все файлы (*)"));
    if (!path.isEmpty()) LoadCombs(path);
  });
  load->setEnabled(editable);
  menu->addAction(QStringLiteral("Сохранить в файле"), this, [this] {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить в файле"), QString(),
                                     QStringLiteral("Файлы систем (*.dat *.txt);;Все файлы (*)"));
    if (!path.isEmpty()) SaveCombs(path);
  });
  menu->addSeparator();
  QAction* link = menu->addAction(QStringLiteral("Открыть ссылку в браузере"), this, [this] {
    QDesktopServices::openUrl(QUrl::fromUserInput(url_->text().trimmed()));
  });
  link->setEnabled(!url_->text().trimmed().isEmpty());
  return menu;
}

void TFormSystem::LoadCombs(const QString& path) {
  tSystemData read;
  if (!loader_ || !loader_(S(path), read)) return;
  combs_->setPlainText(Lines(read.Combs));
  NormaliseCombs();
}

void TFormSystem::SaveCombs(const QString& path) {
  const std::string text =
      SystemLinesText(SystemNormalise(S(combs_->toPlainText())).Lines, "\r\n") + "\r\n";
  RunShown(host_, [&] {
    try {
      WriteFileAtomic(S(path), Utf8ToCp1251(text));
    } catch (const std::exception& e) {
      Raise(StrFormat("Ошибка записи в файл \"%s\"!\r\r%s", S(path).c_str(), e.what()));
    }
  });
}

void TFormSystem::accept() {
  if (mode_ == TMode::View) return QDialog::reject();
  tSystemData d = data_;
  d.Info.Title = S(title_->text());
  d.Info.Author = S(author_->text());
  d.Info.Description = S(description_->toPlainText());
  d.Info.URL = S(url_->text().trimmed());
  d.Info.NumsCount = TextToIntDef(S(numbers_->text()), 0);
  d.Info.BlockLen = TextToIntDef(S(block_->text()), 0);
  const TSystemNormalised lines = SystemNormalise(S(combs_->toPlainText()));
  d.Info.CombsCount = lines.CombsCount;
  d.Combs = SystemLinesText(lines.Lines, "\r\n");
  // A missing creation time is the current one.
  if (d.Info.Created <= 0) d.Info.Created = NowDateTime();
  const TSystemCheck check = SystemCheck(d.Info, lines.Lines);
  if (check.Field != TSystemField::None) {
    ShowError(host_, check.Message);
    QWidget* field = title_;
    switch (check.Field) {
      case TSystemField::Numbers:
        field = numbers_;
        break;
      case TSystemField::Block:
        field = block_;
        break;
      case TSystemField::Author:
        field = author_;
        break;
      case TSystemField::Description:
        field = description_;
        break;
      case TSystemField::Combs:
        field = combs_;
        break;
      default:
        break;
    }
    field->setFocus();
    return;
  }
  result_ = std::move(d);
  QDialog::accept();
}

}  // namespace kvarn
