#pragma once

#include "app/kit/QueuedRefresh.h"

#include <QWidget>
#include <functional>

namespace tollenvane {

class AppModel;
class ElidedLabel;
class ResultNotice;
class StatusBarButton;

// The strip above the page: its title, then either the running scan with a way to stop it or
// the reminder that everything stays on this computer, and the count of scan problems.
class StatusBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int barHeight = 58;

    // `showIssues` opens the list of the scan's problems.
    StatusBar(AppModel& model, std::function<void()> showIssues, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* scanProgress();
    QWidget* privacyBadge();
    void refresh();

    AppModel& model_;
    ElidedLabel* title_;
    QWidget* scanProgress_;
    ElidedLabel* progressText_;
    QWidget* privacyBadge_;
    StatusBarButton* issues_;
    std::function<void()> showIssues_;
    ResultNotice* notice_;
    // A scan came to its end since the last refresh.
    bool scanEnded_ = false;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
