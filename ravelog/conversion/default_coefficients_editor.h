// The editor of the program's default coefficient set (the defaults for new files) as a model: the display
// index and the 24 default coefficients that new and old documents take for their empty slots. Committing
// stores them in the settings and rewrites "Sys.ndx"; documents only take them up through FillEmptySettings.
#pragma once

#include <filesystem>
#include <string>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/conversion/default_settings.h"

namespace ravelog {

class EditDefaultCoefficients {
public:
    explicit EditDefaultCoefficients(const rave::RavelogSettings& settings);

    static std::string Title();
    // The note that per-document settings belong to the conversion editor.
    static std::string Note();
    static std::string StandardButtonLabel();

    // The values as the dialog edits them (texts as typed, the display index as its text).
    DefaultCoefficientSet& Values() { return values_; }
    const DefaultCoefficientSet& Values() const { return values_; }

    // The display radio group (0..4); -1 when the settings hold none of the choices.
    int DisplayChoice() const;
    void SetDisplayChoice(int index);

    // "標準の設定": the standard coefficients, the display of N and qu, qa = b·N 8, 8, 8, 10.
    void ApplyStandard();

    // Refuses texts with a line break or "$$" and a display that is none of the choices (message,
    // false, nothing stored). Otherwise stores the values in `settings` and rewrites the settings
    // file at `settingsFile`; when the file cannot be written the values stay in memory only.
    bool Commit(rave::RavelogSettings& settings, const std::filesystem::path& settingsFile,
                rave::MessageSink& messages);
    // After a successful Commit: whether the settings file was rewritten.
    bool SavedToFile() const { return savedToFile_; }

private:
    DefaultCoefficientSet values_;
    bool savedToFile_ = false;
};

}  // namespace ravelog
