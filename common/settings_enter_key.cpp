// The Enter-key setting of the data-entry dialogs.
#include "common/settings_enter_key.h"

namespace rave {

EnterKeyBehaviour EnterKeyBehaviourOf(const RavelogSettings& settings) {
    const std::string& line = settings.Line(sysline::kEnterKey);
    const long value = settings.Int(sysline::kEnterKey);
    if (line.empty() || value < 0 || value > 2) {
        return EnterKeyBehaviour::kMoveToNext;
    }
    return static_cast<EnterKeyBehaviour>(value);
}

void SetEnterKeyBehaviour(RavelogSettings& settings, EnterKeyBehaviour behaviour) {
    settings.SetInt(sysline::kEnterKey, static_cast<long>(behaviour));
}

EnterKeyAction EnterKeyActionFor(EnterKeyBehaviour behaviour, bool imeOrDropDownActive) {
    if (imeOrDropDownActive) {
        return EnterKeyAction::kStandard;
    }
    switch (behaviour) {
        case EnterKeyBehaviour::kWindowsStandard:
            return EnterKeyAction::kPressOk;
        case EnterKeyBehaviour::kMoveToNext:
            return EnterKeyAction::kMoveToNextField;
        case EnterKeyBehaviour::kConfirmOnly:
            break;
    }
    return EnterKeyAction::kNothing;
}

std::string EnterKeyChoiceLabel(EnterKeyBehaviour behaviour) {
    switch (behaviour) {
        case EnterKeyBehaviour::kWindowsStandard:
            return "Windows標準";
        case EnterKeyBehaviour::kMoveToNext:
            return "次に移動";
        case EnterKeyBehaviour::kConfirmOnly:
            break;
    }
    return "確定のみ";
}

std::string EnterKeyChoiceEffect(EnterKeyBehaviour behaviour) {
    switch (behaviour) {
        case EnterKeyBehaviour::kWindowsStandard:
            return "OKボタンクリックと同じ";
        case EnterKeyBehaviour::kMoveToNext:
            return "次の入力欄に移動";
        case EnterKeyBehaviour::kConfirmOnly:
            break;
    }
    return "OKボタンや次に移動しない";
}

}  // namespace rave
