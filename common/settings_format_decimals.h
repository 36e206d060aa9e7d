// The format and decimals settings ("設定 > 様式/桁数") as a dialog model: the data input order,
// the units, the default plot depths, how depths are stored, the decimals shown, the default
// titles of the three formats and the default company name, all kept in "Sys.ndx".
#pragma once

#include <string>

#include "common/messages.h"
#include "common/ravelog_settings.h"

namespace rave {

class FormatDecimalsEditor {
public:
    explicit FormatDecimalsEditor(const RavelogSettings& settings);

    // Radio groups: the index of the chosen button (a stored value outside the group chooses the
    // first button).
    int dataInputOrder = 0;    // line 1 "データ入力順序": 0 load first, 1 depth first
    int loadUnit = 0;          // line 20 "荷重Wswの表示単位": 0 kN, 1 N
    int lengthUnit = 0;        // line 2 "貫入量Lの表示単位": 0 cm, 1 m
    int nPlotDepth = 0;        // line 3: 0 at the penetration depth, 1 midway to the previous depth
    int quQaPlotDepth = 0;     // line 4
    int depthStoreFormat = 0;  // line 18: 0 two decimals, 1 as many as needed, 2 as typed

    // "小数以下表示桁数": integers 0..4 as typed.
    std::string depthDecimals;   // line 19 "貫入深さ"
    std::string naDecimals;      // line 5 "半回転数Na"
    std::string lengthDecimals;  // line 6 "貫入量 Ｌ"
    std::string nDecimals;       // line 7 "換算Ｎ値"
    std::string quDecimals;      // line 8 "換算ｑｕ値"
    std::string qaDecimals;      // line 9 "換算ｑa値"

    // "タイトルの初期設定" and "名称".
    std::string titleFormat1;  // line 86
    std::string titleFormat2;  // line 87
    std::string titleFormat3;  // line 10
    std::string companyName;   // line 68

    // "自沈層の判定を様式3の特記事項に印刷する" (line 101) and "基礎底部の深さ GL- (m)" (line 102):
    // the depth is a number of metres, 0 or more; it may stay empty while the check box is off.
    bool printSelfSinking = false;
    std::string footingDepth;

    // "標準の設定": the first button of every group, decimals depth 2, Na 0, L 0, N 1, qu 1, qa 1,
    // and the standard titles. The company name is kept.
    void ApplyStandard();

    // OK: every decimals field an integer from 0 to 4, every text storable in the settings file,
    // the footing depth a number of 0 m or more (or empty while its line is not printed).
    // The first bad field shows its message; false keeps the dialog open.
    bool Validate(MessageSink& messages) const;

    // Stores every value; the caller rewrites the settings file. The self-sinking lines stay empty
    // while the option is off and was never set, so such files keep their bytes.
    void WriteBack(RavelogSettings& settings) const;
};

// "貫入深さの小数以下の標準は 2 です.", shown after OK when the depth decimals are not 2, at most
// once in a program run. The program keeps one of these for its run.
class DepthDecimalsReminder {
public:
    void AfterOk(const RavelogSettings& settings, MessageSink& messages);

private:
    bool shown_ = false;
};

}  // namespace rave
