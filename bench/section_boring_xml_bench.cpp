// Reading a boring exchange XML file of about 100 KB (layers and penetration tests every 25 cm),
// in UTF-8 as databases republish it and in Shift_JIS as contractors deliver it, into the
// normalized log of a placed column, soil names resolved through the shipped JACIC table.
// Target under 2 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "common/cp932_codec.h"
#include "common/format.h"
#include "common/soil_name_table.h"
#include "common/text_file.h"
#include "ravesect/document/boring_xml.h"

namespace {

using namespace ravesect;

// Element names are written in UTF-8 and the whole file converted to Shift_JIS (cp932) at the
// end, as a delivered file is.
std::string U8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

std::string Element(const char8_t* name, const std::string& value) {
    return "<" + U8(name) + ">" + value + "</" + U8(name) + ">\r\n";
}

std::string HundredKilobyteBoring() {
    static const char8_t* const kSoils[] = {u8"盛土", u8"ｼﾙﾄ",           u8"礫混じり砂", u8"砂礫",
                                            u8"粘土", u8"シルト質 細砂", u8"花崗岩",     u8"崖錐"};
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<" + U8(u8"ボーリング情報") +
                      " DTD_version=\"2.10\">\r\n<" + U8(u8"標題情報") + "><" + U8(u8"調査基本情報") + ">" +
                      Element(u8"ボーリング名", "B-100") + "</" + U8(u8"調査基本情報") + "><" +
                      U8(u8"ボーリング基本情報") + ">" + Element(u8"孔口標高", "12.30") +
                      Element(u8"総掘進長", "60.00") + "</" + U8(u8"ボーリング基本情報") + "></" +
                      U8(u8"標題情報") + ">\r\n";
    double depth = 0.0;
    int k = 0;
    while (xml.size() < 100 * 1024) {
        depth += 0.25;
        const bool layer = k % 2 == 0;
        if (layer) {
            xml += "<" + U8(u8"土質岩種区分") + ">" +
                   Element(u8"土質岩種区分_下端深度", rave::FormatText("%.2f", depth)) +
                   Element(u8"土質岩種区分_土質岩種区分1", U8(kSoils[k / 2 % 8])) +
                   Element(u8"土質岩種区分_土質岩種記号1", "S") + "</" + U8(u8"土質岩種区分") + ">\r\n";
        } else {
            xml += "<" + U8(u8"標準貫入試験") + ">" +
                   Element(u8"標準貫入試験_開始深度", rave::FormatText("%.2f", depth)) +
                   Element(u8"標準貫入試験_合計打撃回数", rave::FormatText("%d", 5 + k % 50)) +
                   Element(u8"標準貫入試験_合計貫入量", k % 7 == 0 ? "13" : "30") +
                   Element(u8"標準貫入試験_備考", U8(u8"　記事　")) + "</" + U8(u8"標準貫入試験") + ">\r\n";
        }
        ++k;
    }
    xml += "</" + U8(u8"ボーリング情報") + ">\r\n";
    return xml;
}

std::string ShiftJis(const std::string& utf8) {
    std::string out = rave::Utf8ToCp932(utf8).value();
    const std::size_t declared = out.find("UTF-8");
    return out.replace(declared, 5, "Shift_JIS");
}

void BM_ReadBoringXml(benchmark::State& state) {
    const std::string generated = HundredKilobyteBoring();
    const std::string utf8 = state.range(0) == 0 ? generated : ShiftJis(generated);
    rave::SoilNameTable table;
    table.LoadSoilNameBytes(
        rave::ReadFileBytes(std::string(RAVE_SOURCE_DIR) + "/data/WdtvxJG.mst").value_or(""),
        rave::soil_number_kind::kLineDrawing);
    for (auto _ : state) {
        const BoringXmlResult read = ReadBoringXml(utf8);
        if (!read.log) {
            state.SkipWithError("the generated boring was refused");
            break;
        }
        const NormalizedLog log = BoringNormalizedLog(*read.log, table);
        benchmark::DoNotOptimize(log);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(utf8.size()));
}
BENCHMARK(BM_ReadBoringXml)->Arg(0)->Arg(1)->ArgName("shiftJis")->Unit(benchmark::kMicrosecond);

}  // namespace
