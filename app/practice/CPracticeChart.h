// The charts of the practice window, drawn with QPainter: the answers of a
// session per tense (right, right but for accents, wrong, stacked), or the
// answers per day with the share right as a line. A click on a tense's bar
// asks for a session on that tense.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "PracticeSession.h"
#include "PracticeStore.h"

namespace practice {

class CPracticeChart : public QWidget {
    Q_OBJECT

public:
    explicit CPracticeChart(QWidget* parent = nullptr);

    void ShowTenses(const std::array<Tally, AskedTenseCount>& byTense,
                    const std::array<QString, AskedTenseCount>& names);
    void ShowHistory(const std::vector<DayHistory>& days);
    // The tense of the n-th bar (from 0), or -1.
    int BarTense(int n) const { return n >= 0 && n < int(shownTenses_.size()) ? shownTenses_[n] : -1; }

    // Draws the chart on any device (the screen, a PNG, a printer).
    void Render(QPainter& painter, const QRect& area) const;
    bool SaveImage(const QString& path) const;

signals:
    void tenseChosen(int tense);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    QSize sizeHint() const override { return {520, 220}; }

private:
    void RenderTenses(QPainter& painter, const QRect& area, const QRect& plot) const;
    void RenderHistory(QPainter& painter, const QRect& area, const QRect& plot) const;
    bool history_ = false;
    std::array<Tally, AskedTenseCount> byTense_{};
    std::array<QString, AskedTenseCount> names_;
    std::vector<int> shownTenses_;
    std::vector<DayHistory> days_;
    mutable std::vector<QRect> bars_;
};

}  // namespace practice
