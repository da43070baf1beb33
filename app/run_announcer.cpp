#include "app/run_announcer.h"

#include <QMetaObject>
#include <utility>

#include "core/format.h"
#include "navigation/navigation.h"
#include "physics/two_media/solver.h"

namespace palmos {

namespace {

std::string withLevel(Caption text, bool english, int level) {
    return captionWith(text, english, {formatWhole(level)});
}

}  // namespace

RunAnnouncer::RunAnnouncer(ProgramWindows& windows, Session& session, Navigation& navigation,
                           std::function<bool()> listening)
    : session_(session), navigation_(navigation), listening_(std::move(listening)) {
    Ypervola& simple = windows.ypervola();
    Dyomessa& twoMedia = windows.dyomessa();
    simple_.notice = new ui::SpokenNotice(&simple);
    twoMedia_.notice = new ui::SpokenNotice(&twoMedia);

    SimpleRun& simpleRun = session_.simpleRun;
    follow(
        simpleRun, simple_, [&simpleRun] { return runEventsOf(simpleRun); },
        [&simpleRun] { return simpleRun.playedOut(); });
    TwoMediaRun& continuous = session_.twoMediaRun;
    follow(
        continuous, twoMedia_, [&continuous] { return runEventsOf(continuous); },
        [&continuous] { return continuous.playedOut(); });
    StepRun& step = session_.stepRun;
    follow(
        step, twoMedia_, [&step] { return runEventsOf(step); },
        [&step] { return step.stepRunFinished; });

    // Connected after the window's own handlers, so they run after them.
    const auto after = [this](ui::CommandButton& button, Caption text) {
        QObject::connect(&button, &QPushButton::clicked, twoMedia_.notice,
                         [this, text] { stepCommand(text); });
    };
    after(twoMedia.Command3, Caption::RunPaused);
    after(twoMedia.Command7, Caption::RunStep);
    after(twoMedia.Command5, Caption::RunContinues);
}

RunAnnouncer::~RunAnnouncer() {
    for (const auto& followed : followed_) {
        followed->run.onFilled.unsubscribe(followed->filledId);
        followed->run.onLevelShown.unsubscribe(followed->shownId);
    }
    // The notices take their lines with them, and any text posted and not
    // yet said.
    delete simple_.notice;
    delete twoMedia_.notice;
}

void RunAnnouncer::follow(Run& run, Voice& voice, std::function<std::vector<RunEvent>()> find,
                          std::function<bool()> ended) {
    auto followed = std::make_unique<Followed>(
        Followed{.run = run, .voice = voice, .find = std::move(find), .ended = std::move(ended)});
    Followed& it = *followed;
    it.filledId = run.onFilled.subscribe([this, &it](const RunSettings&) { filled(it); });
    it.shownId = run.onLevelShown.subscribe([this, &it](int level) { shown(it, level); });
    followed_.push_back(std::move(followed));
}

void RunAnnouncer::filled(Followed& followed) {
    followed.events.clear();
    followed.found = false;
    followed.previous = -1;
    followed.endSaid = false;
    if (listening_()) {
        followed.events = followed.find();
        followed.found = true;
    }
}

void RunAnnouncer::shown(Followed& followed, int level) {
    const int previous = std::exchange(followed.previous, level);
    if (!listening_()) {
        return;
    }
    // A screen reader that came in after the filling hears the run from here.
    if (!followed.found && followed.run.filled()) {
        followed.events = followed.find();
        followed.found = true;
    }
    Voice& voice = followed.voice;
    const bool english = navigation_.englishSelected();
    for (const RunEvent* event : eventsReached(followed.events, previous, level)) {
        voice.events.push_back(announcement(*event, english));
    }
    voice.shown.push_back(&followed);
    sayAtTurnEnd(voice);
}

void RunAnnouncer::stepCommand(Caption text) {
    if (!listening_()) {
        return;
    }
    const StepRun& step = session_.stepRun;
    // Once the run has ended, STOP, STEP and CONTINUE change nothing: the end
    // is said again (unless this very step showed the last level).
    const bool moved = !twoMedia_.shown.empty();
    const bool ended = step.stepRunFinished && (text != Caption::RunStep || !moved);
    twoMedia_.command = withLevel(ended ? Caption::RunEnded : text, navigation_.englishSelected(),
                                  step.levelShown());
    sayAtTurnEnd(twoMedia_);
}

void RunAnnouncer::sayAtTurnEnd(Voice& voice) {
    if (!std::exchange(voice.due, true)) {
        QMetaObject::invokeMethod(
            voice.notice, [this, &voice] { speak(voice); }, Qt::QueuedConnection);
    }
}

void RunAnnouncer::speak(Voice& voice) {
    const bool english = navigation_.englishSelected();
    std::string text = std::exchange(voice.command, {});
    const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : " ") + part; };
    for (const std::string& event : voice.events) {
        add(event);
    }
    for (Followed* followed : voice.shown) {
        if (!followed->endSaid && followed->ended()) {
            followed->endSaid = true;
            add(withLevel(Caption::RunEnded, english, followed->run.levelShown()));
        }
    }
    voice.events.clear();
    voice.shown.clear();
    voice.due = false;
    if (!text.empty()) {
        voice.notice->say(QString::fromStdString(text));
    }
}

}  // namespace palmos
