// The SVG document and the forms of its attribute values.
#include "platform/svg_document.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <charconv>
#include <cmath>

namespace rave::platform::svg {

namespace {

// The length of the UTF-8 sequence starting at `i`, or 0 when it is not a valid one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool notXml =
        (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE || code == 0xFFFF || code > 0x10FFFF;
    return overlong || notXml ? 0 : length;
}

}  // namespace

std::string Number(double value) {
    double rounded = std::round(value * 1000.0) / 1000.0;
    if (rounded == 0.0) {
        rounded = 0.0;  // no "-0"
    }
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 3).ptr;
    std::string text(buffer, end);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

std::string Colour(ColorRef color) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (int part : {RedOf(color), GreenOf(color), BlueOf(color)}) {
        text += kHex[part >> 4];
        text += kHex[part & 0xF];
    }
    return text;
}

std::string Escape(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = Utf8SequenceLength(utf8, i);
        if (length == 0) {
            ++i;
            continue;
        }
        const char c = utf8[i];
        switch (c) {
            case '&':
                text += "&amp;";
                break;
            case '<':
                text += "&lt;";
                break;
            case '>':
                text += "&gt;";
                break;
            case '"':
                text += "&quot;";
                break;
            case '\'':
                text += "&apos;";
                break;
            default:
                if (length > 1 || static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
                    text.append(utf8.substr(i, length));
                }
                break;
        }
        i += length;
    }
    return text;
}

std::string PngDataUri(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return "data:image/png;base64," + bytes.toBase64().toStdString();
}

Document::Document(double widthMm, double heightMm, int viewWidth, int viewHeight)
    : widthMm_(widthMm), heightMm_(heightMm), viewWidth_(viewWidth), viewHeight_(viewHeight) {}

void Document::Add(std::string_view groupAttributes, std::string_view element) {
    if (!groupOpen_ || openGroup_ != groupAttributes) {
        if (groupOpen_) {
            body_ += "</g>\n";
        }
        openGroup_ = groupAttributes;
        groupOpen_ = true;
        body_ += "<g";
        body_ += groupAttributes;
        body_ += ">\n";
    }
    body_ += element;
    body_ += '\n';
}

std::string Document::Text() const {
    const std::string width = Number(viewWidth_);
    const std::string height = Number(viewHeight_);
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    text +=
        "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "version=\"1.1\" width=\"" +
        Number(widthMm_) + "mm\" height=\"" + Number(heightMm_) + "mm\" viewBox=\"0 0 " + width + " " +
        height + "\">\n";
    text += "<title>" + Escape(title_) + "</title>\n";
    if (!definitions_.empty()) {
        text += "<defs>\n" + definitions_ + "</defs>\n";
    }
    text += "<rect x=\"0\" y=\"0\" width=\"" + width + "\" height=\"" + height + "\" fill=\"#ffffff\"/>\n";
    text += body_;
    if (groupOpen_) {
        text += "</g>\n";
    }
    text += "</svg>\n";
    return text;
}

}  // namespace rave::platform::svg
