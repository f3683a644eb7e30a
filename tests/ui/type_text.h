// Typing any text into a widget as key events (QTest's key clicks take Latin-1 characters only).
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kvarn::test {

inline void TypeText(QWidget* w, const QString& text) {
  for (QChar ch : text) {
    const bool line = ch == QLatin1Char('\n');
    const int key = line ? Qt::Key_Return : ch.isDigit() ? Qt::Key_0 + ch.digitValue() : 0;
    const QString t = line ? QStringLiteral("\r") : QString(ch);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, t);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, t);
    QApplication::sendEvent(w, &release);
  }
}

}  // namespace kvarn::test
