// The recording surface of the tests: every call is kept with its arguments.
#include "common/drawing/recording_surface.h"

#include <algorithm>

namespace rave {

namespace {

bool PutsInk(SurfaceCall kind) {
    switch (kind) {
        case SurfaceCall::kTextOut:
        case SurfaceCall::kLine:
        case SurfaceCall::kPolyline:
        case SurfaceCall::kPolygon:
        case SurfaceCall::kRectangle:
        case SurfaceCall::kEllipse:
        case SurfaceCall::kArc:
        case SurfaceCall::kStretchBitmap:
            return true;
        default:
            return false;
    }
}

void Extend(std::optional<SurfaceRect>& box, SurfacePoint p) {
    if (!box) {
        box = SurfaceRect{p.x, p.y, p.x, p.y};
        return;
    }
    box->left = std::min(box->left, p.x);
    box->top = std::min(box->top, p.y);
    box->right = std::max(box->right, p.x);
    box->bottom = std::max(box->bottom, p.y);
}

}  // namespace

RecordedCall& RecordingSurface::Record(SurfaceCall kind) {
    RecordedCall& call = calls_.emplace_back();
    call.kind = kind;
    call.clip = clip_;
    return call;
}

std::vector<RecordedCall> RecordingSurface::CallsOf(SurfaceCall kind) const {
    std::vector<RecordedCall> result;
    for (const RecordedCall& call : calls_) {
        if (call.kind == kind) {
            result.push_back(call);
        }
    }
    return result;
}

std::size_t RecordingSurface::Count(SurfaceCall kind) const {
    return static_cast<std::size_t>(std::count_if(calls_.begin(), calls_.end(),
                                                  [kind](const RecordedCall& c) { return c.kind == kind; }));
}

std::size_t RecordingSurface::DrawingCallCount() const {
    return static_cast<std::size_t>(
        std::count_if(calls_.begin(), calls_.end(), [](const RecordedCall& c) { return PutsInk(c.kind); }));
}

std::vector<std::string> RecordingSurface::Texts() const {
    std::vector<std::string> texts;
    for (const RecordedCall& call : calls_) {
        if (call.kind == SurfaceCall::kTextOut) {
            texts.push_back(call.text);
        }
    }
    return texts;
}

std::optional<SurfaceRect> RecordingSurface::InkBounds() const {
    std::optional<SurfaceRect> box;
    for (const RecordedCall& call : calls_) {
        if (!PutsInk(call.kind)) {
            continue;
        }
        switch (call.kind) {
            case SurfaceCall::kRectangle:
            case SurfaceCall::kEllipse:
            case SurfaceCall::kArc:
            case SurfaceCall::kStretchBitmap: {
                const SurfaceRect r = call.rect.Normalized();
                Extend(box, {r.left, r.top});
                Extend(box, {r.right, r.bottom});
                break;
            }
            default:
                for (SurfacePoint p : call.points) {
                    Extend(box, p);
                }
                break;
        }
    }
    return box;
}

void RecordingSurface::SetTransparentText(bool transparent) {
    transparentText_ = transparent;
    Record(SurfaceCall::kSetTransparentText).flag = transparent;
}

bool RecordingSurface::SelectFont(const FontSpec& font) {
    const bool accepted =
        std::find(refusedFaces_.begin(), refusedFaces_.end(), font.face) == refusedFaces_.end();
    RecordedCall& call = Record(SurfaceCall::kSelectFont);
    call.font = font;
    call.flag = accepted;
    if (accepted) {
        font_ = font;
    }
    return accepted;
}

void RecordingSurface::SetTextColor(ColorRef color) {
    textColor_ = color;
    Record(SurfaceCall::kSetTextColor).textColor = color;
}

void RecordingSurface::SetTextAlign(int align) {
    textAlign_ = align;
    Record(SurfaceCall::kSetTextAlign).textAlign = align;
}

void RecordingSurface::MoveTo(SurfacePoint point) {
    position_ = point;
    Record(SurfaceCall::kMoveTo).points = {point};
}

void RecordingSurface::TextOut(SurfacePoint at, std::string_view cp932) {
    RecordedCall& call = Record(SurfaceCall::kTextOut);
    const bool fromPosition = (textAlign_ & text_align::kUpdateCurrentPosition) != 0;
    call.points = {fromPosition ? position_ : at};
    call.text = std::string(cp932);
    call.font = font_;
    call.textColor = textColor_;
    call.textAlign = textAlign_;
    if (fromPosition) {
        position_.x += TextExtent(cp932).width;
    }
}

SurfaceSize RecordingSurface::TextExtent(std::string_view cp932) const {
    const int height = std::max(font_.height, 0);
    const int perByte = font_.width > 0 ? font_.width : height / 2;
    return {perByte * static_cast<int>(cp932.size()), height};
}

void RecordingSurface::Line(SurfacePoint from, SurfacePoint to, const Pen& pen) {
    RecordedCall& call = Record(SurfaceCall::kLine);
    call.points = {from, to};
    call.pen = pen;
}

void RecordingSurface::Polyline(std::span<const SurfacePoint> points, const Pen& pen) {
    RecordedCall& call = Record(SurfaceCall::kPolyline);
    call.points.assign(points.begin(), points.end());
    call.pen = pen;
}

void RecordingSurface::Polygon(std::span<const SurfacePoint> points, const Pen& pen, const Brush& brush,
                               FillMode mode) {
    RecordedCall& call = Record(SurfaceCall::kPolygon);
    call.points.assign(points.begin(), points.end());
    call.pen = pen;
    call.brush = brush;
    call.fillMode = mode;
}

void RecordingSurface::Rectangle(const SurfaceRect& rect, const Pen& pen, const Brush& brush) {
    RecordedCall& call = Record(SurfaceCall::kRectangle);
    call.rect = rect;
    call.pen = pen;
    call.brush = brush;
}

void RecordingSurface::Ellipse(const SurfaceRect& bounds, const Pen& pen, const Brush& brush) {
    RecordedCall& call = Record(SurfaceCall::kEllipse);
    call.rect = bounds;
    call.pen = pen;
    call.brush = brush;
}

void RecordingSurface::Arc(const SurfaceRect& bounds, SurfacePoint start, SurfacePoint end, const Pen& pen) {
    RecordedCall& call = Record(SurfaceCall::kArc);
    call.rect = bounds;
    call.points = {start, end};
    call.pen = pen;
}

void RecordingSurface::IntersectClipRect(const SurfaceRect& rect) {
    Record(SurfaceCall::kIntersectClipRect).rect = rect;
    const SurfaceRect r = rect.Normalized();
    if (!clip_) {
        clip_ = r;
        return;
    }
    clip_->left = std::max(clip_->left, r.left);
    clip_->top = std::max(clip_->top, r.top);
    clip_->right = std::min(clip_->right, r.right);
    clip_->bottom = std::min(clip_->bottom, r.bottom);
    if (clip_->right < clip_->left) {
        clip_->right = clip_->left;
    }
    if (clip_->bottom < clip_->top) {
        clip_->bottom = clip_->top;
    }
}

void RecordingSurface::ExcludeClipRect(const SurfaceRect& rect) {
    // The box model cannot hold holes; the call is recorded for tests to inspect.
    Record(SurfaceCall::kExcludeClipRect).rect = rect;
}

void RecordingSurface::ResetClip() {
    clip_.reset();
    Record(SurfaceCall::kResetClip);
}

void RecordingSurface::StretchBitmap(const SurfaceBitmap& bitmap, const SurfaceRect& destination,
                                     std::uint32_t rasterOp) {
    RecordedCall& call = Record(SurfaceCall::kStretchBitmap);
    call.rect = destination;
    call.bitmap = bitmap;
    call.rasterOp = rasterOp;
}

}  // namespace rave
