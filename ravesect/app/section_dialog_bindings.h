// Ravesect's bindings of the dialogs both programs share: the font dialog over the seven section
// fonts "Fntq1.ndx".."Fntq7.ndx", and the Enter-key dialog over line 61 of "Sysq.ndx".
#pragma once

#include <filesystem>
#include <string>

#include "platform/enter_key_dialog.h"
#include "platform/font_settings_dialog.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect::app {

class SectionFontBinding : public rave::platform::FontDialogBinding {
public:
    SectionFontBinding(const SectionFonts& fonts, std::filesystem::path installFolder)
        : fonts_(fonts), installFolder_(std::move(installFolder)) {}

    int FontCount() const override { return kSectionFontCount; }
    std::string ButtonLabel(int n) const override;
    std::string Usage(int n) const override;
    double SizeLimit(int n) const override { return SectionFontSizeLimit(n); }
    const rave::FontSlot& Font(int n) const override { return SectionFont(fonts_, n); }
    bool ChooseFont(int n, double size, const std::string& face, rave::MessageSink& messages) override;
    void ChooseColour(int n, long colour) override;
    void RestoreStandard() override { fonts_ = DefaultSectionFonts(); }
    bool Save(rave::MessageSink& messages) override;

    const SectionFonts& Fonts() const { return fonts_; }

private:
    SectionFonts fonts_;
    std::filesystem::path installFolder_;
};

// Line 61 of "Sysq.ndx": 0 "Windows標準", 1 "次に移動", 2 "確定のみ"; an empty line or another
// value reads as 1.
class SysqEnterKeyBinding : public rave::platform::EnterKeyBinding {
public:
    SysqEnterKeyBinding(SysqSettings& sysq, std::filesystem::path installFolder)
        : sysq_(sysq), installFolder_(std::move(installFolder)) {}

    rave::EnterKeyBehaviour Behaviour() const override;
    bool Store(rave::EnterKeyBehaviour behaviour, rave::MessageSink& messages) override;

private:
    SysqSettings& sysq_;
    std::filesystem::path installFolder_;
};

}  // namespace ravesect::app
