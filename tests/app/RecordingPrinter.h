// A printer for tests whose page is recorded instead of printed: every text
// with its position and font, every filled rectangle with its colour. Its
// resolution and page layout (paper and printable area) are chosen by the
// test, as a real printer's come from its driver.
#pragma once

#include <QFont>
#include <QList>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPrintEngine>
#include <QPrinter>
#include <QTextItem>
#include <climits>

struct RecordedText {
    QString text;
    QPointF baseline;  // device pixels
    QFont font;
};

struct RecordedFill {
    QRectF rect;  // device pixels
    QColor colour;
};

class RecordingPaintEngine : public QPaintEngine {
public:
    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& changed) override {
        if (changed.state() & DirtyBrush) brush = changed.brush();
        if (changed.state() & DirtyTransform) transform = changed.transform();
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        texts.append({item.text(), transform.map(p), item.font()});
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) fills.append({transform.mapRect(rects[i]), brush.color()});
    }
    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count; ++i) fills.append({transform.mapRect(QRectF(rects[i])), brush.color()});
    }
    void drawPath(const QPainterPath& path) override {
        fills.append({transform.mapRect(path.boundingRect()), brush.color()});
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    QList<RecordedText> texts;
    QList<RecordedFill> fills;

private:
    QBrush brush;
    QTransform transform;
};

class RecordingPrintEngine : public QPrintEngine {
public:
    RecordingPrintEngine(int dpi, const QPageLayout& layout) : dpi_(dpi), layout_(layout) {}
    bool newPage() override { return true; }
    bool abort() override { return false; }
    QPrinter::PrinterState printerState() const override { return QPrinter::Idle; }
    void setProperty(PrintEnginePropertyKey, const QVariant&) override {}
    QVariant property(PrintEnginePropertyKey key) const override {
        switch (key) {
        case PPK_QPageLayout:
            return QVariant::fromValue(layout_);
        case PPK_Resolution:
            return dpi_;
        case PPK_FullPage:
            return false;
        default:
            return {};
        }
    }
    int metric(QPaintDevice::PaintDeviceMetric metric) const override {
        const QRect printable = layout_.paintRectPixels(dpi_);
        switch (metric) {
        case QPaintDevice::PdmWidth:
            return printable.width();
        case QPaintDevice::PdmHeight:
            return printable.height();
        case QPaintDevice::PdmWidthMM:
            return qRound(layout_.paintRect(QPageLayout::Millimeter).width());
        case QPaintDevice::PdmHeightMM:
            return qRound(layout_.paintRect(QPageLayout::Millimeter).height());
        case QPaintDevice::PdmNumColors:
            return INT_MAX;
        case QPaintDevice::PdmDepth:
            return 32;
        case QPaintDevice::PdmDevicePixelRatio:
            return 1;
        case QPaintDevice::PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return dpi_;  // the four resolutions
        }
    }

private:
    int dpi_;
    QPageLayout layout_;
};

// The engines come first so that they outlive the printer using them.
struct RecordingEngines {
    RecordingEngines(int dpi, const QPageLayout& layout) : print(dpi, layout) {}
    RecordingPrintEngine print;
    RecordingPaintEngine paint;
};

class RecordingPrinter : private RecordingEngines, public QPrinter {
public:
    // Letter paper with the printable area `margins` (inches) in from the edges.
    RecordingPrinter(int dpi, QMarginsF margins)
        : RecordingEngines(dpi, QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, margins,
                                            QPageLayout::Inch)) {
        setEngines(&print, &paint);
    }
    const QList<RecordedText>& Texts() const { return paint.texts; }
    const QList<RecordedFill>& Fills() const { return paint.fills; }
    void Clear() {
        paint.texts.clear();
        paint.fills.clear();
    }
};
