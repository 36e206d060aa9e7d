// The SVG surface read back with an XML reader: each drawing call gives the element and
// attributes that draw it as the PNG page does, text arrives as UTF-8 with its specials intact
// and placed by the QPainter surface's metrics, and a bitmap drawn twice is embedded once.
#include "platform/svg_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>
#include <algorithm>
#include <functional>
#include <iterator>
#include <map>

#include "platform/codec.h"
#include "platform/qpainter_surface.h"
#include "qt_test_application.h"

namespace rave::platform {
namespace {

// An element with the attributes of the groups around it merged in, and its text.
struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
};

std::vector<Element> ReadElements(const std::string& svg, std::string* error) {
    QXmlStreamReader reader(QByteArray::fromStdString(svg));
    std::vector<Element> elements;
    std::vector<std::map<std::string, std::string>> groups{{}};
    std::vector<std::size_t> open;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            Element element{reader.name().toString().toStdString(), groups.back(), {}};
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                element.attributes[a.qualifiedName().toString().toStdString()] =
                    a.value().toString().toStdString();
            }
            groups.push_back(element.name == "g" ? element.attributes : groups.back());
            open.push_back(elements.size());
            elements.push_back(std::move(element));
        } else if (reader.isCharacters() && !open.empty()) {
            elements[open.back()].text += reader.text().toString().toStdString();
        } else if (reader.isEndElement()) {
            groups.pop_back();
            open.pop_back();
        }
    }
    *error = reader.hasError() ? reader.errorString().toStdString() : "";
    return elements;
}

std::vector<Element> Named(const std::vector<Element>& all, const std::string& name) {
    std::vector<Element> found;
    std::copy_if(all.begin(), all.end(), std::back_inserter(found),
                 [&](const Element& e) { return e.name == name; });
    return found;
}

std::string Cp932(const char* utf8) {
    return Utf8ToCp932(utf8).value_or("");
}

TEST(SvgSurface, EachCallGivesTheElementThatDrawsIt) {
    testing::TestApplication();
    const SurfacePoint triangle[] = {{0, 0}, {40, 0}, {20, 30}};
    struct Case {
        const char* what;
        std::function<void(SvgSurface&)> draw;
        const char* element;
        std::map<std::string, std::string> expected;
    };
    const Case cases[] = {
        {"thin line",
         [](SvgSurface& s) {
             s.Line({1, 2}, {30, 2}, Pen{});
         },
         "line",
         {{"x1", "1"},
          {"y2", "2"},
          {"stroke", "#000000"},
          {"stroke-width", "1"},
          {"stroke-linecap", "butt"},
          {"fill", "none"}}},
        {"wide dashed line",
         [](SvgSurface& s) {
             s.Line({0, 0}, {0, 90}, Pen{pen_style::kDashDot, 3, MakeColorRef(255, 0, 0)});
         },
         "line",
         {{"stroke", "#ff0000"},
          {"stroke-width", "3"},
          {"stroke-dasharray", "12,6,3,6"},
          {"stroke-linecap", "round"}}},
        {"point",
         [](SvgSurface& s) {
             s.Line({5, 5}, {5, 5}, Pen{});
         },
         "rect",
         {{"x", "4.5"}, {"width", "1"}, {"fill", "#000000"}, {"stroke", "none"}}},
        {"winding polygon without pen",
         [&](SvgSurface& s) {
             s.Polygon(triangle, Pen{pen_style::kNull, 1, kBlack}, Brush::Solid(MakeColorRef(0, 0, 255)),
                       FillMode::kWinding);
         },
         "polygon",
         {{"points", "0,0 40,0 20,30"}, {"fill", "#0000ff"}, {"fill-rule", "nonzero"}, {"stroke", "none"}}},
        {"hatched rectangle",
         [](SvgSurface& s) {
             s.Rectangle({30, 10, 10, 50}, Pen{}, Brush::Hatch(hatch_style::kCross, kBlack));
         },
         "rect",
         {{"x", "10"}, {"y", "10"}, {"width", "20"}, {"height", "40"}, {"fill", "url(#h1)"}}},
        {"quarter arc",
         [](SvgSurface& s) {
             s.Arc({0, 0, 100, 100}, {100, 50}, {50, 0}, Pen{});
         },
         "path",
         {{"d", "M100 50A50 50 0 0 0 50 0"}, {"fill", "none"}}},
        {"null pen draws nothing",
         [](SvgSurface& s) {
             s.Line({0, 0}, {9, 9}, Pen{pen_style::kNull, 1, 0});
         },
         nullptr,
         {}},
    };
    for (const Case& c : cases) {
        SvgSurface surface(300, {200, 300});
        c.draw(surface);
        std::string error;
        const std::vector<Element> all = ReadElements(surface.FileContent(), &error);
        ASSERT_EQ(error, "") << c.what;
        std::vector<Element> drawn;
        std::copy_if(all.begin(), all.end(), std::back_inserter(drawn), [](const Element& e) {
            return e.name == "line" || e.name == "polygon" || e.name == "path" || e.name == "text" ||
                   (e.name == "rect" && e.attributes.count("fill") && e.attributes.at("fill") != "#ffffff");
        });
        if (c.element == nullptr) {
            EXPECT_TRUE(drawn.empty()) << c.what;
            continue;
        }
        ASSERT_FALSE(drawn.empty()) << c.what;
        const Element& last = drawn.back();
        EXPECT_EQ(last.name, c.element) << c.what;
        for (const auto& [name, value] : c.expected) {
            EXPECT_EQ(last.attributes.count(name) ? last.attributes.at(name) : "(none)", value)
                << c.what << " " << name;
        }
    }
}

TEST(SvgSurface, PageTextAndBitmapsReadBack) {
    testing::TestApplication();
    SvgSurface surface(300, {2480, 3508});
    surface.SetTitle("Log <1> & \"2\"");
    const FontSpec font{Cp932("ＭＳ 明朝"), 50, 0, 0, 700, false};
    ASSERT_TRUE(surface.SelectFont(font));
    surface.SetTransparentText(true);
    surface.SetTextAlign(text_align::kCenterBottom);
    const std::string text = Cp932("a<b&c \"砂質土\"");
    surface.TextOut({1000, 500}, text);
    const SurfaceBitmap tile{2, 2, {kBlack, kWhite, MakeColorRef(255, 0, 0), kWhite}};
    surface.StretchBitmap(tile, {10, 10, 50, 50}, raster_op::kAnd);
    surface.StretchBitmap(tile, {90, 10, 50, 50}, raster_op::kAnd);  // the same image, mirrored

    std::string error;
    const std::vector<Element> all = ReadElements(surface.FileContent(), &error);
    ASSERT_EQ(error, "");
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all[0].attributes.at("width"), "209.973mm") << "the paper of 2480 dots at 300 dpi";
    EXPECT_EQ(all[0].attributes.at("viewBox"), "0 0 2480 3508");
    ASSERT_EQ(Named(all, "title").size(), 1u);
    EXPECT_EQ(Named(all, "title")[0].text, "Log <1> & \"2\"");

    // Placed by the metrics the QPainter surface draws with: centred, the cell's bottom at y.
    QImage image(8, 8, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    QPainter painter(&image);
    QPainterSurface reference(painter, 300, 300, {2480, 3508});
    reference.SelectFont(font);
    EXPECT_EQ(surface.TextExtent(text), reference.TextExtent(text));
    const double width = reference.ExactTextWidth(text);
    const double baseline = 500 + reference.SelectedAscent() - reference.SelectedCellHeight();
    const std::vector<Element> texts = Named(all, "text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "a<b&c \"砂質土\"");
    EXPECT_NEAR(std::stod(texts[0].attributes.at("x")), 1000 - width / 2, 0.001);
    EXPECT_NEAR(std::stod(texts[0].attributes.at("y")), baseline, 0.001);
    EXPECT_NEAR(std::stod(texts[0].attributes.at("textLength")), width, 0.001);
    EXPECT_EQ(texts[0].attributes.at("font-weight"), "700");
    EXPECT_EQ(QString::fromStdString(texts[0].attributes.at("font-family")),
              "'" + reference.SelectedFont().family() + "', serif");

    // The tile drawn twice is defined once, as one area per colour with its white left out.
    const std::vector<Element> paths = Named(all, "path");
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0].attributes.at("d"), "M0 0h1v1h-1z");
    EXPECT_EQ(paths[1].attributes.at("fill"), "#ff0000");
    const std::vector<Element> uses = Named(all, "use");
    ASSERT_EQ(uses.size(), 2u);
    EXPECT_EQ(uses[0].attributes.at("transform"), "matrix(20 0 0 20 10 10)");
    EXPECT_EQ(uses[1].attributes.at("transform"), "matrix(-20 0 0 20 90 10)");

    // A bitmap larger than a tile is an embedded PNG.
    SurfaceBitmap photo{600, 500, std::vector<ColorRef>(600 * 500, kWhite)};
    photo.pixels[1] = MakeColorRef(0, 128, 0);
    SvgSurface large(300, {2480, 3508});
    large.StretchBitmap(photo, {0, 0, 600, 500}, raster_op::kAnd);
    const std::vector<Element> images = Named(ReadElements(large.FileContent(), &error), "image");
    ASSERT_EQ(images.size(), 1u);
    const std::string uri = images[0].attributes.at("xlink:href");
    const std::string prefix = "data:image/png;base64,";
    ASSERT_EQ(uri.substr(0, prefix.size()), prefix);
    const QImage png =
        QImage::fromData(QByteArray::fromBase64(QByteArray::fromStdString(uri.substr(prefix.size()))));
    ASSERT_EQ(png.size(), QSize(600, 500));
    EXPECT_EQ(png.pixel(1, 0), qRgb(0, 128, 0));
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0) << "AND lets what is below show through white";
}

}  // namespace
}  // namespace rave::platform
