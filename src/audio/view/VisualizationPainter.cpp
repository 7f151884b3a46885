#include "VisualizationPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quillotap::view {

namespace {

const QColor kBackground(0, 0, 0);
const QColor kGridColor(48, 48, 48);

// One of `count` parts of `area` stacked from top to bottom.
QRectF lanePart(const QRectF& area, int index, int count) {
    const double h = area.height() / count;
    return QRectF(area.left(), area.top() + index * h, area.width(), h);
}

bool isBarStyle(Style s) {
    return s == Style::Bars || s == Style::Segments || s == Style::OutlineBars ||
           s == Style::MirroredBars;
}

} // namespace

QBrush VisualizationPainter::levelBrush(QPointF zero, QPointF full) const {
    const double mid = props_.number(MidThreshold) / 100.0;
    const double high = std::max(mid, props_.number(HighThreshold) / 100.0);
    const QColor low = props_.color(LowColor);
    const QColor midColor = props_.color(MidColor);
    const QColor highColor = props_.color(HighColor);

    QLinearGradient g(zero, full);
    g.setSpread(QGradient::ReflectSpread);
    if (props_.flag(Gradient)) {
        g.setColorAt(0.0, low);
        g.setColorAt(mid, midColor);
        g.setColorAt(high, highColor);
        g.setColorAt(1.0, highColor);
    } else {
        // Hard steps: every level takes the colour of its zone.
        constexpr double kStep = 1e-4;
        g.setColorAt(0.0, low);
        g.setColorAt(std::max(0.0, mid - kStep), low);
        g.setColorAt(mid, midColor);
        g.setColorAt(std::max(mid, high - kStep), midColor);
        g.setColorAt(high, highColor);
        g.setColorAt(1.0, highColor);
    }
    return QBrush(g);
}

void VisualizationPainter::paint(const QRectF& area, const VisualFrame& frame) {
    p_.fillRect(area, kBackground);
    const Mode mode = props_.mode();
    const Style style = props_.style();
    const int lanes = std::max(frame.lanes, 1);

    for (int i = 0; i < lanes; ++i) {
        const QRectF lane = lanePart(area, i, lanes).adjusted(1, 1, -1, -1);
        if (props_.flag(Grid))
            drawGrid(lane);
        if (frame.isEmpty() || lane.width() < 1 || lane.height() < 1)
            continue;

        const int bars = frame.barsPerLane;
        const float* levels = bars > 0 && frame.levels.size() >= size_t(bars) * (i + 1)
                                  ? frame.levels.data() + size_t(bars) * i
                                  : nullptr;
        const float* peaks = levels ? frame.peaks.data() + size_t(bars) * i : nullptr;

        if (mode == Mode::StereoScope) {
            drawStereo(lane, frame.xy);
        } else if (mode == Mode::Oscilloscope) {
            if (isBarStyle(style) && levels)
                drawBars(lane, levels, peaks, bars, true);
            else if (size_t(i) < frame.waves.size())
                drawWave(lane, frame.waves[size_t(i)]);
        } else if (mode == Mode::LevelMeter) {
            if (levels)
                drawMeter(lane, levels[0], peaks[0]);
        } else if (levels) {
            if (isBarStyle(style))
                drawBars(lane, levels, peaks, bars, style == Style::MirroredBars);
            else
                drawBarLine(lane, levels, bars);
        }
    }
}

void VisualizationPainter::drawGrid(const QRectF& lane) {
    p_.setPen(QPen(kGridColor, 1));
    for (int i = 1; i < 4; ++i) {
        const double y = lane.top() + lane.height() * i / 4;
        p_.drawLine(QPointF(lane.left(), y), QPointF(lane.right(), y));
    }
    for (int i = 1; i < 8; ++i) {
        const double x = lane.left() + lane.width() * i / 8;
        p_.drawLine(QPointF(x, lane.top()), QPointF(x, lane.bottom()));
    }
}

void VisualizationPainter::drawWave(const QRectF& lane, const std::vector<float>& wave) {
    if (wave.empty())
        return;
    const double cy = lane.center().y();
    const double half = lane.height() / 2;
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(wave.size()));
    const double step = wave.size() > 1 ? lane.width() / double(wave.size() - 1) : 0;
    for (size_t i = 0; i < wave.size(); ++i)
        line << QPointF(lane.left() + i * step, cy - std::clamp(wave[i], -1.0f, 1.0f) * half);

    const QBrush brush = levelBrush(QPointF(lane.left(), cy), QPointF(lane.left(), cy - half));
    p_.setRenderHint(QPainter::Antialiasing, true);
    switch (props_.style()) {
    case Style::Dots:
        p_.setPen(QPen(brush, 2.5, Qt::SolidLine, Qt::RoundCap));
        p_.drawPoints(line);
        break;
    case Style::Area: {
        QPolygonF area = line;
        area << QPointF(line.back().x(), cy) << QPointF(line.front().x(), cy);
        p_.setPen(Qt::NoPen);
        p_.setBrush(brush);
        p_.drawPolygon(area);
        break;
    }
    default:
        p_.setPen(QPen(brush, 1.5));
        p_.drawPolyline(line);
        break;
    }
    p_.setRenderHint(QPainter::Antialiasing, false);
}

void VisualizationPainter::drawStereo(const QRectF& area, const std::vector<QPointF>& points) {
    if (points.empty())
        return;
    const double r = std::min(area.width(), area.height()) / 2;
    const QPointF c = area.center();
    QPolygonF dots;
    dots.reserve(static_cast<qsizetype>(points.size()));
    for (const QPointF& lr : points)
        dots << QPointF(c.x() + std::clamp(lr.x(), -1.0, 1.0) * r,
                        c.y() - std::clamp(lr.y(), -1.0, 1.0) * r);
    const QBrush brush = levelBrush(c, QPointF(c.x(), c.y() - r));
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setPen(QPen(brush, props_.style() == Style::Dots ? 2.5 : 1.0, Qt::SolidLine, Qt::RoundCap));
    if (props_.style() == Style::Lines)
        p_.drawPolyline(dots);
    else
        p_.drawPoints(dots);
    p_.setRenderHint(QPainter::Antialiasing, false);
}

void VisualizationPainter::drawBars(const QRectF& lane, const float* levels, const float* peaks,
                                    int count, bool mirrored) {
    if (count <= 0)
        return;
    // Bars sit on whole pixels so that neighbours neither overlap nor leave
    // stray gaps; more bars than pixel columns share a column, which shows
    // the loudest of them. The gap shrinks where it would eat the bars.
    const int left = static_cast<int>(std::lround(lane.left()));
    const int right = static_cast<int>(std::lround(lane.right()));
    const int pixels = std::max(1, right - left);
    const int columns = std::min(count, pixels);
    const double pitch = double(pixels) / columns;
    const int gap = std::min(props_.number(BarGap), static_cast<int>(pitch / 3));
    std::vector<float> colLevel(size_t(columns), 0.0f);
    std::vector<float> colPeak(size_t(columns), 0.0f);
    for (int b = 0; b < count; ++b) {
        const size_t c = size_t(std::min(columns - 1, b * columns / count));
        colLevel[c] = std::max(colLevel[c], std::clamp(levels[b], 0.0f, 1.0f));
        if (peaks)
            colPeak[c] = std::max(colPeak[c], std::clamp(peaks[b], 0.0f, 1.0f));
    }

    const double zeroY = mirrored ? lane.center().y() : lane.bottom();
    const double span = mirrored ? lane.height() / 2 : lane.height();
    const QBrush brush =
        levelBrush(QPointF(lane.left(), zeroY), QPointF(lane.left(), zeroY - span));
    const Style style = props_.style();
    // LED segments of about five pixels.
    const int segments = std::max(4, static_cast<int>(span / 5));
    const double segment = span / segments;
    const bool markers = peaks && props_.flag(PeakMarkers);

    p_.setPen(Qt::NoPen);
    for (int c = 0; c < columns; ++c) {
        const double x = left + std::floor(c * pitch);
        const double width = std::max(1.0, left + std::floor((c + 1) * pitch) - x - gap);
        const double h = colLevel[size_t(c)] * span;
        if (style == Style::Segments) {
            const int lit = static_cast<int>(std::lround(h / segment));
            const double inner = segment >= 3 ? segment - 1 : segment;
            for (int s = 0; s < lit; ++s) {
                p_.fillRect(QRectF(x, zeroY - (s + 1) * segment, width, inner), brush);
                if (mirrored)
                    p_.fillRect(QRectF(x, zeroY + s * segment + (segment - inner), width, inner),
                                brush);
            }
        } else if (h > 0) {
            const QRectF r(x, zeroY - h, width, mirrored ? 2 * h : h);
            if (style == Style::OutlineBars && width >= 3) {
                p_.setPen(QPen(brush, 1));
                p_.setBrush(Qt::NoBrush);
                p_.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
                p_.setPen(Qt::NoPen);
            } else {
                p_.fillRect(r, brush);
            }
        }
        if (markers && colPeak[size_t(c)] > 0) {
            const double py = std::round(zeroY - colPeak[size_t(c)] * span);
            p_.fillRect(QRectF(x, py - 1, width, 2), brush);
            if (mirrored)
                p_.fillRect(QRectF(x, 2 * zeroY - py - 1, width, 2), brush);
        }
    }
}

void VisualizationPainter::drawMeter(const QRectF& lane, float level, float peak) {
    // A horizontal row of LED segments, as many as the resolution asks for
    // (within what the width can show), unlit ones dimmed; the segment under
    // the held peak stays lit.
    const QRectF bar = lane.adjusted(0, lane.height() * 0.15, 0, -lane.height() * 0.15);
    const int segments = std::clamp(props_.number(BarCount), 1, std::max(1, int(bar.width() / 2)));
    const double pitch = bar.width() / segments;
    const int gap = std::min(props_.number(BarGap), static_cast<int>(pitch / 3));
    const QBrush lit = levelBrush(QPointF(bar.left(), bar.top()), QPointF(bar.right(), bar.top()));
    const int litCount = static_cast<int>(std::lround(std::clamp(level, 0.0f, 1.0f) * segments));
    const int peakSegment =
        props_.flag(PeakMarkers) && peak > 0
            ? std::clamp(static_cast<int>(std::ceil(peak * segments)) - 1, 0, segments - 1)
            : -1;
    p_.setPen(Qt::NoPen);
    for (int s = 0; s < segments; ++s) {
        // Whole pixels, so that every segment and gap looks the same.
        const double x = std::floor(bar.left() + s * pitch);
        const double next = std::floor(bar.left() + (s + 1) * pitch);
        const QRectF r(x, bar.top(), std::max(1.0, next - x - gap), bar.height());
        if (s < litCount || s == peakSegment) {
            p_.fillRect(r, lit);
        } else {
            p_.setOpacity(0.18);
            p_.fillRect(r, lit);
            p_.setOpacity(1.0);
        }
    }
}

void VisualizationPainter::drawBarLine(const QRectF& lane, const float* levels, int count) {
    if (count <= 0)
        return;
    QPolygonF line;
    const double step = lane.width() / count;
    for (int i = 0; i < count; ++i)
        line << QPointF(lane.left() + (i + 0.5) * step,
                        lane.bottom() - std::clamp(levels[i], 0.0f, 1.0f) * lane.height());
    const QBrush brush =
        levelBrush(QPointF(lane.left(), lane.bottom()), QPointF(lane.left(), lane.top()));
    p_.setRenderHint(QPainter::Antialiasing, true);
    if (props_.style() == Style::Area) {
        QPolygonF area = line;
        area << QPointF(line.back().x(), lane.bottom()) << QPointF(line.front().x(), lane.bottom());
        p_.setPen(Qt::NoPen);
        p_.setBrush(brush);
        p_.drawPolygon(area);
    } else if (props_.style() == Style::Dots) {
        p_.setPen(QPen(brush, 3, Qt::SolidLine, Qt::RoundCap));
        p_.drawPoints(line);
    } else {
        p_.setPen(QPen(brush, 1.5));
        p_.drawPolyline(line);
    }
    p_.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace quillotap::view
