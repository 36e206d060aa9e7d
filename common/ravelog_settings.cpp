// Ravelog's general settings: the lines and their defaults.
#include "common/ravelog_settings.h"

#include "common/format.h"
#include "common/numbers.h"

namespace rave {

RavelogSettings RavelogSettings::Defaults() {
    RavelogSettings s;
    s.Line(0) = "500";
    // Integer lines; lines 43-49 and 53-59 of the line types default to 0.
    const int zeroInts[] = {1, 2, 3, 4, 5, 15, 16, 17, 18, 20, 36, 61, 62, 63, 64, 90};
    for (int n : zeroInts) {
        s.SetInt(n, 0);
    }
    for (int n = 6; n <= 9; ++n) {
        s.SetInt(n, 1);
    }
    s.SetInt(11, 5);
    s.SetInt(12, 5);
    s.SetInt(13, 4);
    s.SetInt(14, 4);
    s.SetInt(19, 2);
    for (int n = 41; n <= 59; ++n) {
        s.SetInt(n, 0);
    }
    s.SetInt(41, 2);
    s.SetInt(42, 1);
    s.SetInt(50, 1);
    s.SetInt(51, 5);
    s.SetInt(52, 2);
    s.SetInt(100, 1);
    // Program default coefficients a..e: N for sandy soil, N for clayey soil, qu.
    const char* sandy[] = {"0", "2", "1", "0.067", "1"};
    const char* clayey[] = {"0", "3", "1", "0.05", "1"};
    const char* qu[] = {"0", "45", "1", "0.75", "1"};
    for (int i = 0; i < 5; ++i) {
        s.Line(21 + i) = sandy[i];
        s.Line(26 + i) = clayey[i];
        s.Line(31 + i) = qu[i];
    }
    s.Line(68) = "株式会社";
    s.Line(69) = "info@ravelog.example";
    const char* further[] = {"30", "", "1", "0.6", "1", "8", "8", "10", "8"};
    for (int i = 0; i < 9; ++i) {
        s.Line(91 + i) = further[i];
    }
    return s;
}

long RavelogSettings::Int(int n) const {
    return ParseInteger(Line(n));
}

void RavelogSettings::SetInt(int n, long value) {
    Line(n) = FormatText("%ld", value);
}

}  // namespace rave
