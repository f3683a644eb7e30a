#include "stakes/regular_input.h"

#include "core/lottery_text.h"
#include "core/text.h"
#include "core/utf8.h"
#include "stakes/stake_input.h"

namespace kvarn {

const char* const RegularDefaultComment = "Регулярная ставка";
const char* const RegularSelectedCombsText = "{...Выделенные комбинации...}";
const char* const RegularDuplicateMessage =
    "Запись с таким комментарией уже присутствует в списке!\rВыберите другой комментарий.";

namespace {

TRegularsCreation Refuse(TRegularField field, std::string message) {
  TRegularsCreation r;
  r.Field = field;
  r.Message = std::move(message);
  return r;
}

TRegular NewRegular(std::string comment, uint8_t base, const TComb& start, int step) {
  TRegular r;
  r.Comment = std::move(comment);
  r.Base = base;
  r.Start = start;
  r.Current = start;
  r.Step = step;
  r.Stakes = 0;
  return r;
}

// Comments are compared as they will be stored: cut to the field.
std::string StoredComment(std::string_view comment) {
  return Utf8Left(comment, RegularCommentMaxLen);
}

bool CommentTaken(const std::string& comment, const TRegularsArray& existing) {
  const std::string stored = StoredComment(comment);
  for (const TRegular& r : existing)
    if (SameTextIgnoreCase(StoredComment(r.Comment), stored)) return true;
  return false;
}

}  // namespace

bool RegularStartEditable(uint8_t base, size_t selectedCount) {
  return base == rbOwnComb && selectedCount <= 1;
}

std::string RegularStartTextFor(const std::vector<TSelectedComb>& selected) {
  return selected.size() == 1 ? CombText(selected.front().Comb) : std::string();
}

bool ParseRegularComb(std::string_view text, TComb& out) {
  TNumberSet set;
  if (!ParseStakeNumbers(text, set) || set.Count != CombSize) return false;
  for (int i = 0; i < CombSize; ++i)
    out[static_cast<size_t>(i)] = set.Numbers[static_cast<size_t>(i)];
  return true;
}

TRegularsCreation RegularsCreate(const TRegularInput& input,
                                 const std::vector<TSelectedComb>& selected,
                                 const TRegularsArray& existing) {
  TComb start{};
  if (selected.size() == 1) start = selected.front().Comb;
  if (RegularStartEditable(input.Base, selected.size()) &&
      !ParseRegularComb(input.StartText, start))
    return Refuse(TRegularField::Start, BadStakeNumbersMessage);
  if (Trim(input.Comment).empty()) return Refuse(TRegularField::Comment, EmptyStakeCommentMessage);
  if (input.Step < RegularMinStep || input.Step > RegularMaxStep)
    return Refuse(TRegularField::Step,
                  StrFormat("Шаг должен быть от %d до %d!", RegularMinStep, RegularMaxStep));
  if (CommentTaken(input.Comment, existing))
    return Refuse(TRegularField::Comment, RegularDuplicateMessage);

  TRegularsCreation r;
  if (input.Base == rbLastDraw || selected.size() <= 1) {
    SortComb(start);
    r.Created.push_back(NewRegular(input.Comment, input.Base, start, input.Step));
  } else {
    for (const TSelectedComb& s : selected) {
      TComb c = s.Comb;
      SortComb(c);
      r.Created.push_back(NewRegular(StrFormat("%s (%d)", input.Comment.c_str(), s.Row), input.Base,
                                     c, input.Step));
    }
  }
  // The comment names the regular in the rating, so each numbered one must be new as well.
  for (const TRegular& created : r.Created)
    if (CommentTaken(created.Comment, existing))
      return Refuse(TRegularField::Comment, RegularDuplicateMessage);
  return r;
}

}  // namespace kvarn
