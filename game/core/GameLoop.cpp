#include "game/core/GameLoop.h"

#include "core/Log.h"
#include "game/core/Tour.h"
#include "app/WinOpenGLApplication.h"
#include "platform/Env.h"

#include <csignal>
#include <memory>

namespace avg
{
namespace
{
volatile std::sig_atomic_t stop_signal = 0;

void OnStopSignal(int signal)
{
    stop_signal = signal;
}

// The handlers live as long as the loop; the old ones come back after it.
class StopSignals
{
    struct sigaction old_int
    {
    }, old_term{};

  public:
    StopSignals()
    {
        stop_signal = 0;
        struct sigaction action
        {
        };
        action.sa_handler = &OnStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &old_int);
        sigaction(SIGTERM, &action, &old_term);
    }
    ~StopSignals()
    {
        sigaction(SIGINT, &old_int, nullptr);
        sigaction(SIGTERM, &old_term, nullptr);
    }
};
} // namespace

int RunGameLoop(hgl::WinOpenGLApplication &app)
{
    std::unique_ptr<Tour> tour;
    const std::string tour_file = hgl::platform::GetEnv("HGL_TOUR").value_or("");
    if (!tour_file.empty())
    {
        std::string error;
        tour = Tour::Load(tour_file, error);
        if (!tour)
        {
            hgl::PutError(u"%s", hgl::String::FromUTF8(error).c_str());
            return 1;
        }
        tour->Attach(app);
    }
    StopSignals signals;
    while (app.GetFlow()->IsRunning())
    {
        if (stop_signal)
        {
            hgl::PutInfo(u"收到结束信号%d，游戏结束", int(stop_signal));
            app.GetFlow()->SetObjectState(hgl::FlowObject::fosExit);
            break;
        }
        app.RunOnce();
    }
    return tour && tour->IsFailed() ? 1 : 0;
}
} // namespace avg
