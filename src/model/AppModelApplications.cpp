// Installed applications and the data removed ones left behind.
#include "model/AppModel.h"

namespace tollenvane {

void AppModel::stopAppDataInspection()
{
    ++appDataGeneration_;
    cancel(appDataTask_);
    publish(scanningAppData_, false, &AppModel::scanningAppDataChanged);
}

} // namespace tollenvane
