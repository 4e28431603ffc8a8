// Helpers of the window-layer tests.
#pragma once

#include <QApplication>
#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>
#include <QKeyEvent>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ui/modal/modal_script.h"

namespace ui::testing {

// A script whose problems become test failures (instead of an abort).
class CheckedScript : public ModalScript {
public:
    CheckedScript() : ModalScript([](const std::string& p) { ADD_FAILURE() << "modal script: " << p; }) {}
};

// A script that collects its problems for the test to look at.
class CollectingScript : public ModalScript {
public:
    CollectingScript() : ModalScript([this](const std::string& p) { problems.push_back(p); }) {}
    std::vector<std::string> problems;
};

// A u8"" literal as the UTF-8 bytes of a std::string (an OS path).
inline std::string Utf8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

// Types text one key event per character (QTest::keyClicks cannot send
// non-ASCII text).
inline void TypeInto(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// A key held down as the toolkit reports it: its press; then, while it is
// held, `repeats` pairs of a release and a press 30 ms apart, each pair
// with one time stamp and marked as auto-repeat, or, with `unmarked`,
// every other pair unmarked (the toolkit marks a pair only when it has
// read the press by the release); `held` runs then, before the release
// that lets the key go.  A grid holds a release that may be a repeat back
// a moment: the events of that moment are processed before the return.
inline void HoldKey(QWidget* w, Qt::Key key, const QString& text, int repeats, const std::function<void()>& held = {},
                    bool unmarked = false) {
    quint64 time = 1000;
    auto send = [&](QEvent::Type type, bool repeat) {
        QKeyEvent e(type, key, Qt::NoModifier, text, repeat);
        e.setTimestamp(time);
        QApplication::sendEvent(w, &e);
    };
    send(QEvent::KeyPress, false);
    time += 500;
    for (int i = 0; i < repeats; ++i, time += 30) {
        const bool marked = !unmarked || i % 2 == 1;
        send(QEvent::KeyRelease, marked);
        send(QEvent::KeyPress, marked);
    }
    if (held) held();
    send(QEvent::KeyRelease, false);
    QTest::qWait(100);
}

// Runs `act` on the first modal widget of type T that comes up (for the
// toolkit's own dialogs, which run their loop without the modal script).
template <typename T>
void WhenModal(std::function<void(T&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*w);
        }
    });
    timer->start();
}

// Runs the event loop until `done` holds or a second has passed; the
// result of `done`.
template <class Pred>
bool WaitUntil(Pred done) {
    for (int i = 0; i < 100 && !done(); ++i) QTest::qWait(10);
    return done();
}

// Characters drawn with glyph 0, the font's "missing glyph".
inline int MissingGlyphs(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int missing = 0;
    for (const QGlyphRun& run : layout.glyphRuns())
        for (quint32 g : run.glyphIndexes()) missing += g == 0 ? 1 : 0;
    return missing;
}

}  // namespace ui::testing
