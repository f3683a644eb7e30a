// The chart window "График": line series built point by point, each known by its title, and the
// check box that shows or hides the value marks. Marks and axis labels are plain decimals.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

QT_BEGIN_NAMESPACE
class QGraphicsSimpleTextItem;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
QT_END_NAMESPACE

namespace kvarn {

class IHost;

class TFormGraph : public QDialog {
  Q_OBJECT
 public:
  explicit TFormGraph(IHost& host, QWidget* parent = nullptr);

  // Adds (x, y) to the series titled `title` (case ignored), creating it first with the given
  // colour (0: the chart's next colour), markers and marks.
  void AddGraphPoint(double x, const std::string& title, double y, bool showPointers,
                     bool showMarks, uint32_t colour);

  QChart* Chart() const { return chart_; }
  QCheckBox* MarksBox() const { return marks_; }
  QLineSeries* FindSeries(const std::string& title) const;
  int SeriesCount() const { return static_cast<int>(series_.size()); }
  // The value marks of a series, in the order of its points (empty for a series without marks).
  QStringList MarkTexts(const std::string& title) const;
  // True while the marks of a series are shown.
  bool MarksVisible(const std::string& title) const;
  QValueAxis* AxisX() const { return axisX_; }
  QValueAxis* AxisY() const { return axisY_; }

 private:
  void ShowMarks(bool on);
  // The axes take the range of the points; the marks stand above their points.
  void Arrange();
  void ArrangeLater();

  // The marks of one series: the value text of each point, above it.
  struct TMarks {
    QLineSeries* series;
    std::vector<QGraphicsSimpleTextItem*> items;
  };

  IHost& host_;
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QCheckBox* marks_ = nullptr;
  QValueAxis* axisX_ = nullptr;
  QValueAxis* axisY_ = nullptr;
  std::vector<QLineSeries*> series_;
  // Series created with marks: only these follow the check box.
  std::vector<TMarks> marked_;
  bool empty_ = true;
  bool wholeX_ = true, wholeY_ = true;
  bool arrangePending_ = false;
  double minX_ = 0, maxX_ = 0, minY_ = 0, maxY_ = 0;
};

}  // namespace kvarn
