#pragma once

#include "support/DeliverEvents.h"

#include <QSize>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>
#include <stdexcept>
#include <utility>

namespace tollenvane::test {

// A page in a window filled with the window's background, shown at `size` and refreshed.
template <class Page>
struct ShownPage {
    QWidget window;
    Page* page;

    template <class... Arguments>
    explicit ShownPage(QSize size, Arguments&&... arguments)
        : page(new Page(std::forward<Arguments>(arguments)...))
    {
        window.setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page);
        window.resize(size);
        window.show();
        deliverEvents();
    }

    // The child named `name`, once queued refreshes ran; a missing one fails the test.
    template <class T>
    T& find(const QString& name)
    {
        deliverEvents();
        T* found = page->template findChild<T*>(name);
        if (found == nullptr) {
            throw std::runtime_error("no " + name.toStdString());
        }
        return *found;
    }
};

} // namespace tollenvane::test
