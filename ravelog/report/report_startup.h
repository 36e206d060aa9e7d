// What the report view loads from the install folder the first time a document is shown, and
// what it does to every document it takes up. The desktop program and the command line both go
// through here, so a rendered sheet looks like the one on screen.
#pragma once

#include <filesystem>
#include <memory>

#include "common/font_settings.h"
#include "common/installed_soil_tables.h"
#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/report/sheet_context.h"

namespace ravelog {

// The files of the install folder the program works with.
struct StartupPaths {
    std::filesystem::path settings;      // "Sys.ndx"
    std::filesystem::path technicians;   // "M.mst"
    std::filesystem::path shortTexts;    // "K.mst"
    std::filesystem::path soilPicks;     // "Dc.mst"
    std::filesystem::path soilNames;     // "WdtvxJG.mst"
    std::filesystem::path patternLines;  // "PtnvcJG.ndx"

    static StartupPaths In(const std::filesystem::path& installFolder);
};

// Everything LoadStartupFiles loaded. Owned by the view (or the command-line run) and read by
// every page drawing.
struct StartupFiles {
    bool loaded = false;  // the first-time steps are done
    std::filesystem::path installFolder;
    StartupPaths paths;
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    rave::RavelogFonts fonts{};
    std::shared_ptr<const rave::InstalledSoilTables> soilTables =
        std::make_shared<rave::InstalledSoilTables>();
    // The simple soil-name dialog's "白黒" choice: the simple tiles come from the monochrome
    // folder. Not in the settings file; kept until the program ends, reloads included.
    bool simpleTilesMonochrome = false;
    // The drive letters of Windows-form folders in the settings (bitmap folders); set by the
    // program that owns these files before drawing.
    rave::DriveMap drives;

    // What the sheets draw with; valid as long as this object lives and is not reloaded.
    SheetResources Resources() const;
};

// Whether loading may write to the install folder. The desktop program creates a missing
// "Sys.ndx" and "Font1.ndx" with the defaults (and says the settings file was missing); command
// lines never change what the desktop program remembers and take the defaults silently.
enum class StartupWrites { kCreateMissing, kNever };

// The first time (or whenever `reset` is set): the settings file (defaults, and a new file, when
// it is missing), the soil-name tables and the pattern colour table, the five fonts (font 1's file
// created when missing; sizes and faces repaired). Every time: the document's settings are
// validated (depth scale 5..5000, format 0..2, empty coefficient and display slots filled) and an
// empty soil-table kind becomes "1" (JACIC).
void LoadStartupFiles(StartupFiles& files, const std::filesystem::path& installFolder,
                      SoundingDocument& document, bool reset, rave::MessageSink& messages,
                      StartupWrites writes = StartupWrites::kCreateMissing);

// After a dialog rewrote the soil-name tables or the font files: both are read again from the
// install folder. The settings in memory stay as they are, so values that a failed save of
// "Sys.ndx" kept in memory are not replaced by the older file.
void ReloadTablesAndFonts(StartupFiles& files, rave::MessageSink& messages);

// What the view does to a document it shows for the first time: the defaults of the view's
// set-up, the soil names resolved through the JACIC table, the sandy/clayey classes of the rows
// and the conversion table rebuilt. The measured values (L, Nsw) stay as they were read.
void TakeUpDocumentForView(SoundingDocument& document, const StartupFiles& files,
                           rave::MessageSink& messages);
// The rows' part of it, in the same order: the soil names through the installed JACIC table, the
// classes and the conversions. After an undo or redo, so rows swapped back from before a
// soil-table edit are resolved with the table in use, like every other row.
void DeriveRowsForView(SoundingDocument& document, const StartupFiles& files, rave::MessageSink& messages);

}  // namespace ravelog
