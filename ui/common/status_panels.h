// The panels of a window's status bar. A panel is never narrower than its
// text, whatever the font: a count cut short ("Saved 1 of 3" for "Saved 1 of
// 30 files") would tell a wrong number. The last panel takes the rest of the
// bar; a text longer than that (a deep path) gives up its middle for "…",
// visibly shortened rather than cut.
#pragma once

#include <QLabel>
#include <QStatusBar>

#include <array>
#include <cstddef>

namespace dravik::ui {

class StatusPanel : public QLabel {
public:
    // `width`: the panel's designed width, the least it takes.
    StatusPanel(int width, bool last);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int width_;
    bool last_;
};

// Adds one panel per width, named StatusPanel0, StatusPanel1, ...
template <std::size_t N>
void AddStatusPanels(QStatusBar* bar, std::array<QLabel*, N>& panels, const std::array<int, N>& widths)
{
    for (std::size_t i = 0; i < N; ++i) {
        const bool last = i + 1 == N;
        auto* panel = new StatusPanel(widths[i], last);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        bar->addWidget(panel, last ? 1 : 0);
        panels[i] = panel;
    }
}

}  // namespace dravik::ui
