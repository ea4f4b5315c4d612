#pragma once

#include "app/kit/PageScaffold.h"
#include "app/kit/QueuedRefresh.h"

#include <initializer_list>

namespace tollenvane {

class AppModel;

// A page that follows the model: the signals it names ask for one queued `refresh()`, which
// updates the page's widgets in place. The first refresh runs once the event loop is back, after
// the page is fully built.
class ModelPage : public PageScaffold {
    Q_OBJECT

public:
    ModelPage(AppModel& model, Page page, int spacing, int padding, QWidget* parent = nullptr);

protected:
    AppModel& model() const { return model_; }
    void follow(std::initializer_list<void (AppModel::*)()> changes);
    virtual void refresh() = 0;

private:
    AppModel& model_;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
