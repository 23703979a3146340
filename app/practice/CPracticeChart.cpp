#include "CPracticeChart.h"

#include <QDate>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace practice {

namespace {
const QColor RightColour(60, 150, 60), AccentsColour(230, 170, 30), WrongColour(200, 50, 50);
}

CPracticeChart::CPracticeChart(QWidget* parent) : QWidget(parent) { setMinimumHeight(160); }

void CPracticeChart::ShowTenses(const std::array<Tally, AskedTenseCount>& byTense,
                                const std::array<QString, AskedTenseCount>& names) {
    history_ = false;
    byTense_ = byTense;
    names_ = names;
    shownTenses_.clear();
    for (int t = 0; t < AskedTenseCount; ++t)
        if (byTense_[t].Total() > 0) shownTenses_.push_back(t);
    update();
}

void CPracticeChart::ShowHistory(const std::vector<DayHistory>& days) {
    history_ = true;
    days_ = days;
    if (days_.size() > 60) days_.erase(days_.begin(), days_.end() - 60);
    update();
}

void CPracticeChart::Render(QPainter& p, const QRect& area) const {
    p.save();
    p.fillRect(area, Qt::white);
    p.setPen(Qt::black);
    const int lineHeight = p.fontMetrics().height();
    const QRect plot =
        area.adjusted(8, lineHeight + 8, -8, -(history_ ? lineHeight + 8 : 2 * lineHeight + 10));
    bars_.clear();
    if (history_)
        RenderHistory(p, area, plot);
    else
        RenderTenses(p, area, plot);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.restore();
}

// Bars of right, accents and wrong per tense, named below.
void CPracticeChart::RenderTenses(QPainter& p, const QRect& area, const QRect& plot) const {
    const QFontMetrics fm = p.fontMetrics();
    const int lineHeight = fm.height();
    p.drawText(area.adjusted(8, 4, -8, 0), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Answers by tense: right, accents, wrong"));
    int most = 1;
    for (int t : shownTenses_) most = std::max(most, byTense_[t].Total());
    const int n = std::max<int>(1, int(shownTenses_.size()));
    const int slot = plot.width() / n;
    const int barWidth = std::clamp(slot * 2 / 3, 6, 56);
    for (int i = 0; i < int(shownTenses_.size()); ++i) {
        const Tally& t = byTense_[shownTenses_[i]];
        const int x = plot.left() + i * slot + (slot - barWidth) / 2;
        int y = plot.bottom();
        const std::pair<int, QColor> parts[] = {
            {t.right, RightColour}, {t.accents, AccentsColour}, {t.wrong, WrongColour}};
        for (const auto& [count, colour] : parts) {
            const int h = count * plot.height() / most;
            p.fillRect(QRect(x, y - h, barWidth, h), colour);
            y -= h;
        }
        bars_.push_back(QRect(x, plot.top(), barWidth, plot.height() + 2 * lineHeight));
        const QString label = fm.elidedText(names_[shownTenses_[i]], Qt::ElideRight, slot - 2);
        p.drawText(QRect(plot.left() + i * slot, plot.bottom() + 4, slot, lineHeight), Qt::AlignHCenter,
                   label);
        p.drawText(QRect(plot.left() + i * slot, plot.bottom() + 4 + lineHeight, slot, lineHeight),
                   Qt::AlignHCenter, QStringLiteral("%1/%2").arg(t.right + t.accents).arg(t.Total()));
    }
}

// Answers per day as bars, the share right as a line.
void CPracticeChart::RenderHistory(QPainter& p, const QRect& area, const QRect& plot) const {
    const int lineHeight = p.fontMetrics().height();
    int most = 1;
    for (const DayHistory& d : days_) most = std::max(most, d.right + d.accents + d.wrong);
    p.drawText(area.adjusted(8, 4, -8, 0), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Answers per day (bars, the tallest %1), and the share right (line, top 100%)")
                   .arg(most));
    const int n = std::max<int>(1, int(days_.size()));
    const int slot = std::clamp(plot.width() / n, 1, 36);
    QPolygon accuracy;
    for (int i = 0; i < int(days_.size()); ++i) {
        const DayHistory& d = days_[i];
        const int total = d.right + d.accents + d.wrong;
        const int h = total * plot.height() / most;
        const int x = plot.left() + i * slot;
        p.fillRect(QRect(x + 1, plot.bottom() - h, std::max(1, slot - 2), h), QColor(150, 170, 210));
        if (total > 0)
            accuracy << QPoint(x + slot / 2, plot.bottom() - (d.right + d.accents) * plot.height() / total);
    }
    p.setPen(QPen(RightColour, 2));
    p.drawPolyline(accuracy);
    p.setBrush(RightColour);
    for (const QPoint& point : accuracy) p.drawEllipse(point, 3, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::black);
    if (!days_.empty()) {
        const auto dayText = [](int64_t day) { return QDate(1970, 1, 1).addDays(day).toString(Qt::ISODate); };
        p.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width(), lineHeight), Qt::AlignLeft,
                   dayText(days_.front().day));
        p.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width(), lineHeight), Qt::AlignRight,
                   dayText(days_.back().day));
    }
}

bool CPracticeChart::SaveImage(const QString& path) const {
    QImage image(size().expandedTo(QSize(520, 220)), QImage::Format_RGB32);
    QPainter p(&image);
    Render(p, image.rect());
    p.end();
    return image.save(path, "PNG");
}

void CPracticeChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Render(p, rect());
}

void CPracticeChart::mousePressEvent(QMouseEvent* event) {
    if (history_) return;
    for (int i = 0; i < int(bars_.size()) && i < int(shownTenses_.size()); ++i) {
        if (bars_[i].contains(event->position().toPoint())) {
            emit tenseChosen(shownTenses_[i]);
            return;
        }
    }
}

}  // namespace practice
