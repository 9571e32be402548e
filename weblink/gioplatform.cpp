#include "weblink/gioplatform.h"

#include "weblink/glibcontextpump.h"

#include <array>
#include <gio/gio.h>
#include <utility>

namespace quorvel {

namespace {

constexpr char htmlMimeType[] = "text/html";
constexpr std::array webSchemes{"https", "http"};

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
struct GAppInfoListFree {
    void operator()(GList* list) const { g_list_free_full(list, g_object_unref); }
};

using AppInfoPtr = std::unique_ptr<GAppInfo, GObjectUnref>;
using AppInfoList = std::unique_ptr<GList, GAppInfoListFree>;

bool contains(const AppInfoList& list, GAppInfo* application)
{
    for (GList* item = list.get(); item != nullptr; item = item->next) {
        if (g_app_info_equal(application, G_APP_INFO(item->data))) {
            return true;
        }
    }
    return false;
}

AppInfoPtr webHandler()
{
    for (const char* scheme : webSchemes) {
        AppInfoPtr application(g_app_info_get_default_for_uri_scheme(scheme));
        if (application && g_app_info_supports_uris(application.get())) {
            return application;
        }
    }
    return nullptr;
}

// GIO also offers the programs of a parent type: a text editor opens text/plain and so, by
// inheritance, HTML. GIO lists those as fallbacks when its index of entries covers them, and
// tells which types an entry lists; one offered only through a parent type is not a browser.
// An entry listing no type at all is the user's own choice.
bool isOnlyForAParentType(GAppInfo* application, const char* htmlType)
{
    bool forAParent = false;
    if (const char** types = g_app_info_get_supported_types(application)) {
        for (; *types != nullptr; ++types) {
            if (g_content_type_equals(*types, htmlType)) {
                return false;
            }
            forAParent = forAParent || g_content_type_is_a(htmlType, *types);
        }
    }
    return (forAParent ||
            contains(AppInfoList(g_app_info_get_fallback_for_type(htmlType)), application)) &&
           !contains(AppInfoList(g_app_info_get_recommended_for_type(htmlType)), application);
}

AppInfoPtr htmlHandler()
{
    // Content types are MIME types on Linux but not on every system GIO serves.
    const std::unique_ptr<gchar, GFree> type(g_content_type_from_mime_type(htmlMimeType));
    if (!type) {
        return nullptr;
    }
    AppInfoPtr application(g_app_info_get_default_for_type(type.get(), TRUE));
    if (!application || !g_app_info_supports_uris(application.get()) ||
        isOnlyForAParentType(application.get(), type.get())) {
        return nullptr;
    }
    return application;
}

} // namespace

struct GioPlatform::Launch {
    GioPlatform* platform;
    GCancellable* cancellable;
};

GioPlatform::GioPlatform() : pump_(std::make_unique<GlibContextPump>()) {}

GioPlatform::~GioPlatform()
{
    cancel();
}

// Launching the desktop entry, not its executable, keeps what the entry says: field codes,
// wrappers such as env or flatpak, extra arguments, Terminal= and D-Bus activation. No launch
// context: startup notification ids serve only a desktop's own launcher.
void GioPlatform::open(const QString& url, Done done)
{
    AppInfoPtr browser = webHandler();
    if (!browser) {
        browser = htmlHandler();
    }
    if (!browser) {
        done(Outcome::NoBrowser);
        return;
    }
    cancel();
    done_ = std::move(done);
    cancellable_ = g_cancellable_new();
    QByteArray uri = url.toUtf8();
    GList uris{uri.data(), nullptr, nullptr};
    auto* launch = new Launch{this, G_CANCELLABLE(g_object_ref(cancellable_))};
    ++launchesInFlight_;
    pump_->call([&] {
        g_app_info_launch_uris_async(browser.get(), &uris, nullptr, cancellable_, onLaunched,
                                     launch);
    });
}

void GioPlatform::cancel()
{
    done_ = nullptr;
    if (cancellable_) {
        g_cancellable_cancel(cancellable_);
        g_object_unref(std::exchange(cancellable_, nullptr));
    }
}

// Runs only while the pump does, so the platform is still there.
void GioPlatform::onLaunched(GObject* browser, GAsyncResult* result, void* data)
{
    const std::unique_ptr<Launch> launch(static_cast<Launch*>(data));
    const std::unique_ptr<GCancellable, GObjectUnref> cancellable(launch->cancellable);
    GError* error = nullptr;
    const bool launched = g_app_info_launch_uris_finish(G_APP_INFO(browser), result, &error);
    if (error != nullptr) {
        g_error_free(error);
    }
    GioPlatform* platform = launch->platform;
    --platform->launchesInFlight_;
    if (g_cancellable_is_cancelled(cancellable.get())) {
        return;
    }
    QMetaObject::invokeMethod(
        &platform->answers_,
        [platform, launched] {
            if (const Done done = std::exchange(platform->done_, nullptr)) {
                done(launched ? Outcome::Started : Outcome::StartFailed);
            }
        },
        Qt::QueuedConnection);
}

} // namespace quorvel
