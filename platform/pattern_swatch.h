// A small widget that shows one soil pattern as the sheets draw it: the pattern library drawn
// through the QPainter drawing surface, or a bitmap tile stretched over the widget. The soil-name
// table dialogs use it for the previews of the edited row and the icons of the pattern list.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <filesystem>

#include "common/drawing/drawing_surface.h"

namespace rave {
class PatternColorTable;
}

namespace rave::platform {

// What a swatch shows. A pattern number of 0 or less shows an empty swatch.
struct PatternSwatchContent {
    long patternNo = 0;
    bool drawBitmap = false;           // the tile file instead of the drawn pattern
    std::filesystem::path bitmapFile;  // with drawBitmap
    int penWidth = 1;                  // device pixels
    ColorRef color = kBlack;
    // 0..4: the special marker of that kind instead (empty, no core, unknown, ...), drawn as the
    // sheets draw it, in the colour the table gives (black when monochrome or without a table).
    int markerKind = -1;
    bool monochrome = false;
    const PatternColorTable* colors = nullptr;
};

// The marker kind the sheets draw for a code of the JACIC or the simple table, -1 for a code
// that is no special marker.
int MarkerKindOfCode(long code, bool jacicTable);

// Draws the content into a white pixmap of `size` at `dpi` (the pattern's spacings follow the
// millimetres of the resolution, as on paper). True when something was drawn: a known pattern or
// a readable tile.
bool PaintPatternSwatch(QPixmap& pixmap, const PatternSwatchContent& content, int dpi);
QPixmap RenderPatternSwatch(const PatternSwatchContent& content, QSize size, int dpi);

class PatternSwatch : public QWidget {
    Q_OBJECT
public:
    explicit PatternSwatch(QWidget* parent = nullptr);

    void SetContent(const PatternSwatchContent& content);
    const PatternSwatchContent& Content() const { return content_; }
    // Whether the last paint drew anything (an unknown number or a missing tile draws nothing).
    bool DrewSomething() const { return drewSomething_; }

    QSize sizeHint() const override { return {48, 48}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PatternSwatchContent content_;
    bool drewSomething_ = false;
};

}  // namespace rave::platform
