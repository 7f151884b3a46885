#pragma once

#include "VisualFrame.h"
#include "VisualizationProperties.h"

#include <QRectF>

class QPainter;

namespace quillotap::view {

// Draws a VisualFrame into a rectangle in the mode, style and colours of the
// display properties. Only drawing happens here; the analysis is done when
// the samples arrive.
class VisualizationPainter {
public:
    VisualizationPainter(QPainter& painter, const VisualizationProperties& props)
        : p_(painter), props_(props) {}

    void paint(const QRectF& area, const VisualFrame& frame);

private:
    void drawGrid(const QRectF& lane);
    void drawWave(const QRectF& lane, const std::vector<float>& wave);
    void drawStereo(const QRectF& area, const std::vector<QPointF>& points);
    void drawBars(const QRectF& lane, const float* levels, const float* peaks, int count,
                  bool mirrored);
    void drawMeter(const QRectF& lane, float level, float peak);
    void drawBarLine(const QRectF& lane, const float* levels, int count);
    // Brush whose colour follows the level scale from `zero` (silence) to
    // `full`; mirrored beyond `zero`.
    QBrush levelBrush(QPointF zero, QPointF full) const;

    QPainter& p_;
    const VisualizationProperties& props_;
};

} // namespace quillotap::view
