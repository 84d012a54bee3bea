// The panels of a window's status bar.
#pragma once

#include <QLabel>
#include <QStatusBar>

#include <array>
#include <cstddef>

namespace dravik::ui {

// Adds one panel per width, named StatusPanel0, StatusPanel1, ...; the last
// one takes the rest of the bar, but is never narrower than its width.
template <std::size_t N>
void AddStatusPanels(QStatusBar* bar, std::array<QLabel*, N>& panels, const std::array<int, N>& widths)
{
    for (std::size_t i = 0; i < N; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        const bool last = i + 1 == N;
        if (last)
            panel->setMinimumWidth(widths[i]);
        else
            panel->setFixedWidth(widths[i]);
        bar->addWidget(panel, last ? 1 : 0);
        panels[i] = panel;
    }
}

}  // namespace dravik::ui
