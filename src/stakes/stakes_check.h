// Checking stakes against the archive: every unchecked stake whose draw has arrived gets the
// draw's numbers, its matches and its profit, is written back in place, handed to the rating and
// logged.
#pragma once

#include <string>

#include "core/config.h"
#include "core/lottery.h"
#include "stakes/stakes_file.h"
#include "stakes/stakes_log.h"

namespace kvarn {

// What a check run tells the outside; the workspace wires it to the host and the rating.
class IStakesCheckSink {
 public:
  virtual ~IStakesCheckSink() = default;
  // Progress text for the message panel; the window may handle its events here.
  virtual void CheckProgress(const std::string& text) = 0;
  // A stake that has just been checked and written back: the rating adds it here.
  virtual void StakeChecked(const TStake& stake) = 0;
  // A failure that does not stop the check (a log that could not be written).
  virtual void CheckError(const std::string& text) = 0;
};

// Returns whether any stake was checked. `log` is null when the logs are off. Failures raise
// "Ошибка проверки ставок!\r\r%s"; the stakes written before stay checked (and rated).
bool StakesCheck(TStakesFile& file, const TDrawsArray& draws, const TConfigData& config,
                 IStakesCheckSink& sink, TStakesLog* log);

}  // namespace kvarn
