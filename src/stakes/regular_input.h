// The rules of the dialog that adds regulars, shared by the window and kvarn-cli: the prepared
// values, the checks of OK with their messages, and the regulars it creates.
#pragma once

#include <string>
#include <vector>

#include "stakes/regular.h"

namespace kvarn {

extern const char* const RegularDefaultComment;     // "Регулярная ставка"
extern const char* const RegularSelectedCombsText;  // shown instead of several combinations
extern const char* const RegularDuplicateMessage;

// A selected row of the combination list: its 1-based number and its combination.
struct TSelectedComb {
  int Row = 0;
  TComb Comb{};
};

// What the dialog holds when OK is pressed.
struct TRegularInput {
  std::string Comment = RegularDefaultComment;
  uint8_t Base = rbOwnComb;
  std::string StartText;  // read only where StartEditable holds
  int Step = 1;
};

// The start field can be typed in with the own combination and no more than one selected row (no
// row at all: the person types the start; several: each row starts its own regular).
bool RegularStartEditable(uint8_t base, size_t selectedCount);

// The start combination the dialog opens with: the selected row's numbers when exactly one row is
// selected, else nothing.
std::string RegularStartTextFor(const std::vector<TSelectedComb>& selected);

// Five words of ";" or "," separated text, integers 1..36, all different; sorted ascending.
bool ParseRegularComb(std::string_view text, TComb& out);

// Which field a refused OK goes back to.
enum class TRegularField { None, Start, Comment, Step };

struct TRegularsCreation {
  TRegularField Field = TRegularField::None;  // None: accepted
  std::string Message;                        // the error box text when refused
  TRegularsArray Created;                     // in list order, to append to the file
};

// The checks of OK in order (start combination, comment, step, the comment - and each numbered one
// made from it - new among the regulars ignoring letter case) and, when they pass, the regulars to
// append: one when the base is the draws or at most one row is selected, else one per selected row
// with " (row)" after the comment.
TRegularsCreation RegularsCreate(const TRegularInput& input,
                                 const std::vector<TSelectedComb>& selected,
                                 const TRegularsArray& existing);

}  // namespace kvarn
