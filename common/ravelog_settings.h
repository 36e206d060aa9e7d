// Ravelog's general settings file "Sys.ndx": 111 numbered lines (0..110) of cp932 text, kept as
// text and parsed when used, like every value of the system. Line meanings are given where they
// are used; `sysline` names the ones several modules read.
#pragma once

#include <array>
#include <string>

namespace rave {

namespace sysline {
inline constexpr int kDataInputOrder = 1;
inline constexpr int kLengthUnit = 2;
inline constexpr int kNPlotDepth = 3;
inline constexpr int kQuQaPlotDepth = 4;
inline constexpr int kDecimalsNa = 5;
inline constexpr int kDecimalsLength = 6;
inline constexpr int kDecimalsN = 7;
inline constexpr int kDecimalsQu = 8;
inline constexpr int kDecimalsQa = 9;
inline constexpr int kTitleFormat3 = 10;
inline constexpr int kTopMargin = 11;
inline constexpr int kLeftMargin = 12;
inline constexpr int kTitleRowFormats12 = 13;
inline constexpr int kTitleRowFormat3 = 14;
inline constexpr int kDepthStoreFormat = 18;
inline constexpr int kDecimalsDepth = 19;
inline constexpr int kLoadUnit = 20;
inline constexpr int kCoefficientsFirst = 21;  // 21..35: a..e of N sandy, N clayey, qu
inline constexpr int kMonochrome = 36;
inline constexpr int kSimpleBitmapFolder = 65;
inline constexpr int kJacicBitmapFolder = 66;
inline constexpr int kCompanyName = 68;
inline constexpr int kTitleFormat1 = 86;
inline constexpr int kTitleFormat2 = 87;
inline constexpr int kCoefficientSet = 90;
inline constexpr int kEnterKey = 100;
// Format 3's special notes end with the self-sinking verdict when line 101 is 1, for the footing
// depth of line 102 (m below ground, as typed). Both stay empty until the user sets them.
inline constexpr int kSelfSinkingNote = 101;
inline constexpr int kFootingDepth = 102;
}  // namespace sysline

class RavelogSettings {
public:
    static constexpr int kLines = 111;

    // The settings used when "Sys.ndx" is missing.
    static RavelogSettings Defaults();

    std::string& Line(int n) { return lines_.at(static_cast<std::size_t>(n)); }
    const std::string& Line(int n) const { return lines_.at(static_cast<std::size_t>(n)); }
    // The line read as an integer (an empty or non-numeric line gives 0).
    long Int(int n) const;
    void SetInt(int n, long value);

private:
    std::array<std::string, kLines> lines_;
};

}  // namespace rave
