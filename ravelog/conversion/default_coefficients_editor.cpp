// The default coefficient set editor model.
#include "ravelog/conversion/default_coefficients_editor.h"

#include "common/field_validation.h"
#include "common/format.h"
#include "common/numbers.h"
#include "common/settings_files.h"
#include "common/text_fields.h"

namespace ravelog {

namespace {

constexpr int kDisplayChoices = 5;

template <std::size_t N>
bool AllStorable(const std::array<std::string, N>& texts, rave::MessageSink& messages) {
    for (const std::string& text : texts) {
        if (!rave::CheckStorableText(text, messages)) {
            return false;
        }
    }
    return true;
}

}  // namespace

EditDefaultCoefficients::EditDefaultCoefficients(const rave::RavelogSettings& settings)
    : values_(DefaultCoefficientSet::FromSettings(settings)) {}

std::string EditDefaultCoefficients::Title() {
    return "新規作成時用の初期設定値";
}

std::string EditDefaultCoefficients::Note() {
    return "ファイル（用紙）毎の設定はメニュー「データ」 - 「換算値 係数と表示」 画面で設定して下さい";
}

std::string EditDefaultCoefficients::StandardButtonLabel() {
    return "標準の設定";
}

int EditDefaultCoefficients::DisplayChoice() const {
    if (rave::IsNumericStart(values_.display) <= 0) {
        return -1;
    }
    const long value = rave::ParseInteger(values_.display);
    return value >= 0 && value < kDisplayChoices ? static_cast<int>(value) : -1;
}

void EditDefaultCoefficients::SetDisplayChoice(int index) {
    if (index >= 0 && index < kDisplayChoices) {
        values_.display = rave::FormatText("%d", index);
    }
}

void EditDefaultCoefficients::ApplyStandard() {
    const DefaultCoefficientSet standard = DefaultCoefficientSet::Standard();
    // The plot depths belong to the format settings and stay as they are.
    values_.display = standard.display;
    values_.nSandy = standard.nSandy;
    values_.nClayey = standard.nClayey;
    values_.qu = standard.qu;
    values_.qa = standard.qa;
    values_.qaFromN = standard.qaFromN;
}

bool EditDefaultCoefficients::Commit(rave::RavelogSettings& settings,
                                     const std::filesystem::path& settingsFile, rave::MessageSink& messages) {
    if (!AllStorable(values_.nSandy, messages) || !AllStorable(values_.nClayey, messages) ||
        !AllStorable(values_.qu, messages) || !AllStorable(values_.qa, messages) ||
        !AllStorable(values_.qaFromN, messages)) {
        return false;
    }
    if (DisplayChoice() < 0) {
        messages.Show(rave::IntegerRangeMessage(0, kDisplayChoices - 1));
        return false;
    }
    values_.StoreCoefficientsInto(settings);
    savedToFile_ = rave::SaveSettings(settingsFile, settings);
    return true;
}

}  // namespace ravelog
