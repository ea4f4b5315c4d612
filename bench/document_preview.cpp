// Opens documents of one page and of many in the full preview, as a person would, and prints how
// long the first page takes to be drawn, how long the last takes once End is pressed, and the
// most pages held at once.
//   document_preview [pages...]   (1, 500 and 5,000 unless given)
#include "app/preview/FileViewer.h"
#include "app/preview/PdfPane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace tollenvane;

// Text on no background, as most documents are.
void writeDocument(const QString& path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    QFont font = painter.font();
    font.setPointSize(14);
    painter.setFont(font);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        for (int line = 0; line < 40; ++line) {
            painter.drawText(600, 600 + line * 320,
                             QStringLiteral("Page %1, ligne %2 : du texte sur rien.")
                                 .arg(page + 1)
                                 .arg(line + 1));
        }
    }
}

// Runs the event loop until `done` holds; false past a minute.
template <class Condition>
bool waitFor(Condition done, int& mostHeld, const PdfPane* pane)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 60'000) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (pane != nullptr) {
            mostHeld = std::max(mostHeld, pane->heldPages());
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    std::vector<int> counts;
    for (int argument = 1; argument < argc; ++argument) {
        counts.push_back(std::stoi(argv[argument]));
    }
    if (counts.empty()) {
        counts = {1, 500, 5000};
    }
    const QTemporaryDir folder;
    for (const int count : counts) {
        const QString path = folder.filePath(QStringLiteral("document-%1.pdf").arg(count));
        writeDocument(path, count);
        FileViewer viewer;
        viewer.resize(860, 560);
        viewer.show();
        int mostHeld = 0;
        QElapsedTimer clock;
        clock.start();
        viewer.setPath(path);
        const PdfPane* pane = nullptr;
        const bool first = waitFor(
            [&] {
                pane = viewer.findChild<PdfPane*>();
                return pane != nullptr && pane->isDrawn(0);
            },
            mostHeld, nullptr);
        const qint64 firstMs = clock.elapsed();
        if (!first) {
            std::cerr << count << " pages: the first page was not drawn ("
                      << (viewer.shown() ? static_cast<int>(*viewer.shown()) : -1) << ")\n";
            return 1;
        }
        auto* scrolled = const_cast<PdfPane*>(pane);
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        clock.restart();
        QApplication::sendEvent(scrolled, &end);
        const bool last =
            waitFor([&] { return pane->isDrawn(pane->pageCount() - 1); }, mostHeld, pane);
        std::cout << count << " pages: first page drawn after " << firstMs
                  << " ms; last page drawn " << clock.elapsed()
                  << " ms after End; most pages held at once " << mostHeld << "\n";
        if (!last) {
            return 1;
        }
    }
    return 0;
}
