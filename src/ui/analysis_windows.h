// The two analyses of the whole archive that open windows of their own from the statistics menu:
// the repeats window and the sum distribution in the chart window.
#pragma once

namespace kvarn {

class TTemplateMain;

// Binds "AnalyzeRepeats" and "TotalSumCombs".
void BindAnalysisWindows(TTemplateMain& main);

}  // namespace kvarn
