#include "stats/filter_report.h"

#include <cmath>

#include "core/text.h"

namespace kvarn {

namespace {

std::string Percent(double share) {
  return StrFormat("%.2f %%", share * 100);
}

std::string Survivals(const TSurvivalSummary& s) {
  return StrFormat("%d из %d (%s)", s.Survivals, s.Trials, Percent(s.Rate).c_str());
}

std::string Chance(const TSurvivalSummary& s) {
  return StrFormat("%.1f из %d (%s)", s.MeanShare * s.Trials, s.Trials,
                   Percent(s.MeanShare).c_str());
}

std::string Kept(const TSurvivalSummary& s) {
  return StrFormat("%.0f (%s)", s.MeanShare * FullCombsCount, Percent(s.MeanShare).c_str());
}

std::string Lift(const TSurvivalSummary& s) {
  return s.HasLift ? StrFormat("%.4f", s.Lift) : std::string("-");
}

std::string Interval(const TSurvivalSummary& s) {
  return StrFormat("%s – %s", Percent(s.Interval.Low).c_str(), Percent(s.Interval.High).c_str());
}

std::string PText(double p) {
  return StrFormat("%.3g", p);
}

const char* const RowCaptions[] = {
    "Проверено тиражей",
    "Выпавший тираж сохранился",
    "Случайно сохранилось бы",
    "Оставлено комбинаций в среднем",
    "Подъем (1 = как случайно)",
    "95 % интервал доли сохранений",
    "Вероятность случайно сохранить столько же или больше",
};

std::vector<std::string> Column(const TSurvivalSummary& s, const std::string& draws) {
  return {draws, Survivals(s), Chance(s), Kept(s), Lift(s), Interval(s), StrFormat("%.6g", s.P)};
}

// "30 (№ 1201–1230)": how many draws and their numbers.
std::string DrawsText(const TFilterTestResult& r) {
  if (r.Draws.empty()) return "0";
  return StrFormat("%d (№ %d–%d)", static_cast<int>(r.Draws.size()), r.Draws.front().Number,
                   r.Draws.back().Number);
}

}  // namespace

std::vector<TFigureRow> FilterTestFigures(const TSurvivalSummary& s) {
  const std::vector<std::string> c = Column(s, std::to_string(s.Trials));
  std::vector<TFigureRow> rows;
  for (size_t i = 0; i < c.size(); ++i) rows.push_back({RowCaptions[i], {c[i]}});
  return rows;
}

std::vector<TFigureRow> ValueSearchFigures(const TValueSearchResult& r) {
  const std::vector<std::string> a = Column(r.InSample.Summary, DrawsText(r.InSample));
  const std::vector<std::string> b = Column(r.OutOfSample.Summary, DrawsText(r.OutOfSample));
  std::vector<TFigureRow> rows;
  for (size_t i = 0; i < a.size(); ++i) rows.push_back({RowCaptions[i], {a[i], b[i]}});
  return rows;
}

std::string FilterTestVerdict(const TSurvivalSummary& s) {
  if (s.Trials == 0) return "Ни один тираж не проверен.";
  if (!s.HasLift)
    return "Фильтр не оставил ни одной комбинации ни в одном тираже: играть было бы нечем.";
  std::string v;
  if (s.MeanShare >= 1)
    v = "Фильтр ничего не отсекает: он оставляет весь список, поэтому сохранение выпавшего тиража "
        "ничего о нем не говорит.";
  else if (s.P < VerdictLevel && s.Rate > s.MeanShare)
    v = StrFormat(
        "Фильтр сохранял выпавший тираж чаще, чем случайный выбор того же числа комбинаций: "
        "в %d из %d тиражей при %.1f ожидаемых, в %.2f раза лучше. Случайно так получается с "
        "вероятностью %s. Это не обещание на будущее.",
        s.Survivals, s.Trials, s.MeanShare * s.Trials, s.Lift, PText(s.P).c_str());
  else if (s.PLower < VerdictLevel && s.Rate < s.MeanShare)
    v = StrFormat(
        "Фильтр работал хуже случая: выпавший тираж сохранился в %d из %d тиражей, а случайный "
        "выбор того же числа комбинаций сохранил бы его в среднем в %.1f из них. Случайно так "
        "плохо получается с вероятностью %s.",
        s.Survivals, s.Trials, s.MeanShare * s.Trials, PText(s.PLower).c_str());
  else
    v = StrFormat(
        "Отличие от случая не доказано: выпавший тираж сохранился в %d из %d тиражей, случайный "
        "выбор того же числа комбинаций сохранил бы его в среднем в %.1f из них. Такой результат "
        "легко получить и без фильтра.",
        s.Survivals, s.Trials, s.MeanShare * s.Trials);
  if (s.Trials < FewDraws) v += " Проверено мало тиражей, вывод ненадежен.";
  return v;
}

std::string ValueSearchVerdict(const TValueSearchResult& r, int64_t budget) {
  if (r.Values.empty())
    return StrFormat(
        "Подходящих значений не нашлось: ни одно не уложилось в %lld комбинаций в среднем, "
        "сохранив при этом хотя бы один тираж из старой половины.",
        static_cast<long long>(budget));
  std::string v = "Проверка на новых тиражах, которых подбор не видел. " +
                  FilterTestVerdict(r.OutOfSample.Summary);
  const TSurvivalSummary& in = r.InSample.Summary;
  const TSurvivalSummary& out = r.OutOfSample.Summary;
  if (in.HasLift && out.HasLift && in.Lift > out.Lift)
    v += StrFormat(
        " На старых тиражах, по которым значения подобраны, подъем был %.2f, на новых %.2f: "
        "подбор всегда выглядит лучше на тех тиражах, по которым сделан.",
        in.Lift, out.Lift);
  return v;
}

namespace {

std::string Joined(const std::vector<std::string>& texts) {
  std::string t;
  for (const std::string& s : texts) t += (t.empty() ? "" : "; ") + s;
  return t;
}

std::string TableLine(int len) {
  return StrFormat("Таблица по %d тиражам, предшествующим каждому проверяемому тиражу", len);
}

}  // namespace

TFilterReport FilterTestReport(const std::string& method, const std::vector<std::string>& texts,
                               bool exclude, int len, int requested, const TFilterTestResult& r) {
  TFilterReport rep;
  rep.Title = "Проверка фильтра на истории";
  rep.Subject = {
      "Метод: " + method, "Значения: " + Joined(texts),
      std::string("Действие: ") + (exclude ? "Удалить выделенные" : "Оставить выделенные"),
      TableLine(len)};
  if (r.Stopped)
    rep.Subject.push_back(StrFormat("Проверка остановлена; проверено тиражей: %d из %d.",
                                    static_cast<int>(r.Draws.size()), requested));
  rep.Columns = {"Значение"};
  rep.Figures = FilterTestFigures(r.Summary);
  rep.Verdict = FilterTestVerdict(r.Summary);
  rep.Chart.push_back({"Проверенные тиражи", r.Draws});
  return rep;
}

TFilterReport ValueSearchReport(const std::string& method, int len, int64_t budget, int requested,
                                const TValueSearchResult& r) {
  TFilterReport rep;
  rep.Title = "Подбор значений";
  rep.Subject = {
      "Метод: " + method,
      StrFormat("Бюджет: не более %lld комбинаций в среднем", static_cast<long long>(budget)),
      "Подобраны значения: " + (r.Values.empty() ? std::string("нет") : Joined(r.Values)),
      StrFormat("Тиражей: %d; значения подобраны по старой половине и проверены на новой",
                requested),
      TableLine(len)};
  if (r.Stopped) rep.Subject.push_back("Подбор остановлен; результат неполон.");
  rep.Columns = {"Старые тиражи (подбор)", "Новые тиражи (проверка)"};
  rep.Figures = ValueSearchFigures(r);
  rep.Verdict =
      r.Stopped ? std::string("Подбор остановлен, вывода нет.") : ValueSearchVerdict(r, budget);
  rep.Chart.push_back({"Подбор", r.InSample.Draws});
  rep.Chart.push_back({"Проверка", r.OutOfSample.Draws});
  return rep;
}

}  // namespace kvarn
