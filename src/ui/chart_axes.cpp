#include "ui/chart_axes.h"

#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace kvarn {

namespace {

// A nice step (1, 2 or 5 times a power of ten) that splits the span into at most `ticks` parts.
double NiceStep(double span, int ticks) {
  const double raw = span / ticks;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double f : {1.0, 2.0, 5.0, 10.0})
    if (f * power >= raw) return f * power;
  return 10 * power;
}

}  // namespace

QString ChartValueText(double value) {
  if (std::fabs(value - std::round(value)) < 1e-9 && std::fabs(value) < 9e15)
    return QString::number(static_cast<long long>(std::llround(value)));
  QString text = QString::number(value, 'f', 4);
  while (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text;
}

void SetChartAxis(QValueAxis* axis, double min, double max, bool whole, int intervals) {
  if (max < min) std::swap(min, max);
  if (max - min < (whole ? 1.0 : 1e-9)) {
    min -= whole ? 1 : 0.5;
    max += whole ? 1 : 0.5;
  }
  double step = NiceStep(max - min, std::max(1, intervals));
  if (whole) step = std::max(1.0, std::round(step));
  const double first = std::floor(min / step) * step;
  const double last = std::ceil(max / step) * step;
  axis->setRange(first, last);
  // Fixed ticks over a range of whole steps fall on first + k * step.
  axis->setTickType(QValueAxis::TicksFixed);
  axis->setTickCount(static_cast<int>(std::lround((last - first) / step)) + 1);
  const int decimals =
      whole ? 0 : std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

}  // namespace kvarn
