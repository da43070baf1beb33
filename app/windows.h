// The program's four windows, each created and loaded on first reference
// through the accessor with its name, and kept until the program ends. Each
// is handed the parts of the session it plays and the way to the others.
#pragma once

#include <QStringList>
#include <memory>

#include "app/introduction.h"
#include "elliptic/window.h"
#include "session/session.h"
#include "single_string/window.h"
#include "two_media/window.h"

namespace palmos {

class Navigation;

class ProgramWindows {
  public:
    ProgramWindows(Session& session, Navigation& navigation);

    Eisagogi1& eisagogi1();
    Ypervola& ypervola();
    Dyomessa& dyomessa();
    Elliptikh& elliptikh();

    // What happened to the windows so far, in order: "load <title>" when a
    // window is created and loaded, "show <title>" when it is shown.
    const QStringList& history() const { return history_; }

  private:
    // While Form_Load runs, the accessor already returns the window being
    // loaded.
    template <class F, class... Parts>
    F& load(std::unique_ptr<F>& window, Parts&&... parts) {
        if (!window) {
            window = std::make_unique<F>(std::forward<Parts>(parts)...);
            window->recordHistoryIn(&history_);
            window->finishLoading();
        }
        return *window;
    }

    Session& session_;
    Navigation& navigation_;
    QStringList history_;
    std::unique_ptr<Eisagogi1> eisagogi1_;
    std::unique_ptr<Ypervola> ypervola_;
    std::unique_ptr<Dyomessa> dyomessa_;
    std::unique_ptr<Elliptikh> elliptikh_;
};

}  // namespace palmos
