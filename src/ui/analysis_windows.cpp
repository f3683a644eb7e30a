#include "ui/analysis_windows.h"

#include <QChart>
#include <QLegend>

#include "app/workspace.h"
#include "core/text.h"
#include "ui/form_graph.h"
#include "ui/form_repeats.h"
#include "ui/template_main.h"
#include "views/sums.h"

namespace kvarn {

namespace {

int ReadInt(TWorkspace& ws, const char* key, int def) {
  int64_t v = 0;
  return TryTextToInt(ws.WindowSectionReadString(RepeatsWindowSection, key, ""), v) &&
                 v >= -2147483647 && v <= 2147483647
             ? static_cast<int>(v)
             : def;
}

TRepeatsWindowState ReadRepeatsState(TWorkspace& ws) {
  TRepeatsWindowState st;
  st.DrawsLength = ReadInt(ws, "DrawsLength", st.DrawsLength);
  st.DrawsDeep = ReadInt(ws, "DrawsDeep", st.DrawsDeep);
  st.GraphHeight = ReadInt(ws, "GraphHeight", st.GraphHeight);
  for (int i = 0; i < 4; ++i) {
    // "width,position", as the main window keeps its lists.
    const std::string text =
        ws.WindowSectionReadString(RepeatsWindowSection, StrFormat("lvList.Column%d", i), "");
    int64_t w = 0;
    st.ColumnWidths.push_back(TryTextToInt(text.substr(0, text.find(',')), w) && w > 0 && w < 5000
                                  ? static_cast<int>(w)
                                  : 0);
  }
  return st;
}

void WriteRepeatsState(TWorkspace& ws, const TRepeatsWindowState& st) {
  std::vector<std::pair<std::string, std::string>> values = {
      {"DrawsLength", std::to_string(st.DrawsLength)},
      {"DrawsDeep", std::to_string(st.DrawsDeep)},
      {"GraphHeight", std::to_string(st.GraphHeight)}};
  for (size_t i = 0; i < st.ColumnWidths.size(); ++i)
    values.emplace_back(StrFormat("lvList.Column%zu", i),
                        StrFormat("%d,%zu", st.ColumnWidths[i], i));
  ws.WindowSectionWrite(RepeatsWindowSection, values);
}

}  // namespace

void BindAnalysisWindows(TTemplateMain& main) {
  TWorkspace& ws = main.Workspace();
  TCommandList& c = main.Commands();
  c.Bind(
      "AnalyzeRepeats", [&ws] { return ws.DrawsCount() > 0; },
      [&main, &ws] {
        TFormRepeats form(ws.Draws(), main.Host(), &main);
        form.RestoreState(ReadRepeatsState(ws));
        form.exec();
        WriteRepeatsState(ws, form.SaveState());
      });
  c.Bind(
      "TotalSumCombs", [] { return true; },
      [&main, &ws] {
        const TSumsDistribution d = ws.TotalSumCombs();
        TFormGraph form(main.Host(), &main);
        form.setWindowTitle(
            QStringLiteral("Распределение сумм тиражей и всех возможных комбинаций"));
        for (const TSumsSeries& s : SumsChartSeries(d))
          for (const TSumsPoint& p : s.Points)
            form.AddGraphPoint(p.Sum, s.Title, p.Value, s.Markers, s.Marks, s.Colour);
        // The five titles are long: beside the chart each is read whole.
        form.Chart()->legend()->setAlignment(Qt::AlignRight);
        form.resize(1200, 620);
        form.exec();
      });
}

}  // namespace kvarn
