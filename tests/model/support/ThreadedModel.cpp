#include "model/support/ThreadedModel.h"

#include <gtest/gtest.h>

#include <QTest>

namespace tollenvane::test {

namespace {

constexpr int patience = 20'000; // ms

} // namespace

ModelServices ThreadedModel::services() const
{
    ModelServices made = ModelServices::system(panel);
    made.access = access;
    made.soundPlayer = std::make_shared<RecordingSoundPlayer>();
    return made;
}

AppModel& ThreadedModel::start(ModelServices services)
{
    model = std::make_unique<AppModel>(StateStore(statePath()), std::move(services));
    return *model;
}

void ThreadedModel::settle() const
{
    ASSERT_TRUE(waitFor([this] {
        return !model->loading() && !model->scanning() && !model->busy() &&
               !model->findingDuplicates() && !model->scanningApplications() &&
               !model->scanningAppData();
    }));
}

bool ThreadedModel::waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, patience);
}

} // namespace tollenvane::test
