// What the Enter (Return) key does in the data-entry dialogs ("キーの動作のオプション"), kept on
// line 100 of "Sys.ndx". The dialogs ask this model what a press of the key means; during
// kana-kanji conversion or an open drop-down list the key keeps its standard meaning.
#pragma once

#include <string>

#include "common/ravelog_settings.h"

namespace rave {

enum class EnterKeyBehaviour {
    kWindowsStandard = 0,  // "Windows標準": the same as clicking OK
    kMoveToNext = 1,       // "次に移動": move to the next input field
    kConfirmOnly = 2,      // "確定のみ": neither OK nor move
};

// What one press of the key does.
enum class EnterKeyAction { kPressOk, kMoveToNextField, kNothing, kStandard };

// The setting of line 100. A value the dialog cannot have written (outside 0..2) gives the
// default, moving to the next field, as an empty line does.
EnterKeyBehaviour EnterKeyBehaviourOf(const RavelogSettings& settings);
void SetEnterKeyBehaviour(RavelogSettings& settings, EnterKeyBehaviour behaviour);

// The action of a press. `imeOrDropDownActive`: kana-kanji conversion is under way or a drop-down
// list is open, when the key is left to its standard work (kStandard).
EnterKeyAction EnterKeyActionFor(EnterKeyBehaviour behaviour, bool imeOrDropDownActive);

// The dialog's label of a choice ("Windows標準", "次に移動", "確定のみ") and its explanation, in cp932.
std::string EnterKeyChoiceLabel(EnterKeyBehaviour behaviour);
std::string EnterKeyChoiceEffect(EnterKeyBehaviour behaviour);

}  // namespace rave
