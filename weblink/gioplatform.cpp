#include "weblink/gioplatform.h"

#include <QFile>
#include <array>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace quorvel {

namespace {

constexpr char htmlMimeType[] = "text/html";
constexpr std::array webSchemes{"https", "http"};
constexpr char defaultsGroup[] = "Default Applications";
constexpr char mimeappsName[] = "mimeapps.list";
constexpr char applicationsFolder[] = "applications";
constexpr char startupNotifyKey[] = "StartupNotify";
// A D-Bus activated browser answers once it has the address; a failed activation answers at
// once. Past this the browser is taken to be starting, so that the window is not held longer.
constexpr guint launchAnswerWaitMs = 5000;

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
struct GStrvFree {
    void operator()(gchar** strings) const { g_strfreev(strings); }
};
struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
struct GKeyFileFree {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
struct GMainContextUnref {
    void operator()(GMainContext* context) const { g_main_context_unref(context); }
};
struct GSourceUnref {
    void operator()(GSource* source) const
    {
        g_source_destroy(source);
        g_source_unref(source);
    }
};
struct GAppInfoListFree {
    void operator()(GList* list) const { g_list_free_full(list, g_object_unref); }
};

template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GCharPtr = std::unique_ptr<gchar, GFree>;
using GStrvPtr = std::unique_ptr<gchar*, GStrvFree>;
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

// Content types are MIME types on Linux but not on every system GIO serves.
GCharPtr htmlContentType()
{
    return GCharPtr(g_content_type_from_mime_type(htmlMimeType));
}

// The mimeapps.list files GIO reads, desktop-specific ones first, in GIO's order.
std::vector<std::string> mimeappsFiles()
{
    std::vector<std::string> folders{g_get_user_config_dir()};
    for (const gchar* const* dir = g_get_system_config_dirs(); *dir != nullptr; ++dir)
        folders.emplace_back(*dir);
    folders.push_back(std::string(g_get_user_data_dir()) + '/' + applicationsFolder);
    for (const gchar* const* dir = g_get_system_data_dirs(); *dir != nullptr; ++dir)
        folders.push_back(std::string(*dir) + '/' + applicationsFolder);
    std::vector<std::string> names;
    const GStrvPtr desktops(g_strsplit(
        g_getenv("XDG_CURRENT_DESKTOP") != nullptr ? g_getenv("XDG_CURRENT_DESKTOP") : "", ":",
        -1));
    for (gchar** desktop = desktops.get(); *desktop != nullptr; ++desktop) {
        if (**desktop != '\0')
            names.push_back(GCharPtr(g_ascii_strdown(*desktop, -1)).get() + std::string("-") +
                            mimeappsName);
    }
    names.emplace_back(mimeappsName);
    std::vector<std::string> files;
    for (const std::string& folder : folders)
        for (const std::string& name : names)
            files.push_back(folder + '/' + name);
    return files;
}

// A browser's entry may list only web addresses; the user's own [Default Applications] choice
// for HTML still makes it the HTML handler.
bool isUsersHtmlDefault(GAppInfo* application)
{
    const char* id = g_app_info_get_id(application);
    if (id == nullptr)
        return false;
    for (const std::string& path : mimeappsFiles()) {
        const std::unique_ptr<GKeyFile, GKeyFileFree> file(g_key_file_new());
        if (!g_key_file_load_from_file(file.get(), path.c_str(), G_KEY_FILE_NONE, nullptr))
            continue;
        const GStrvPtr chosen(
            g_key_file_get_string_list(file.get(), defaultsGroup, htmlMimeType, nullptr, nullptr));
        if (chosen && g_strv_contains(chosen.get(), id))
            return true;
    }
    return false;
}

// GIO also offers the programs of a parent type: a text editor opens text/plain and so, by
// inheritance, HTML. Only one that names HTML itself, that the user has associated with it or
// chosen for it, is taken for a browser.
bool isForHtml(GAppInfo* application, const char* htmlType)
{
    if (const char** types = g_app_info_get_supported_types(application)) {
        for (; *types != nullptr; ++types) {
            if (g_content_type_equals(*types, htmlType))
                return true;
        }
    }
    const std::unique_ptr<GList, GAppInfoListFree> associated(
        g_app_info_get_recommended_for_type(htmlType));
    for (GList* item = associated.get(); item != nullptr; item = item->next) {
        if (g_app_info_equal(application, G_APP_INFO(item->data)))
            return true;
    }
    return isUsersHtmlDefault(application);
}

// The launch context gives each launch a startup notification id of its own, as the desktop's
// launchers do; GIO reports a failed D-Bus activation to the context under that id.
gchar* startupNotifyId(GAppLaunchContext*, GAppInfo*, GList*)
{
    static guint launches = 0;
    return g_strdup_printf("quorvel-%d-%u", int(getpid()), ++launches);
}

void initLaunchContextClass(gpointer typeClass, gpointer)
{
    static_cast<GAppLaunchContextClass*>(typeClass)->get_startup_notify_id = startupNotifyId;
}

GType launchContextType()
{
    static const GType type = g_type_register_static_simple(
        G_TYPE_APP_LAUNCH_CONTEXT, "QuorvelLaunchContext", sizeof(GAppLaunchContextClass),
        initLaunchContextClass, sizeof(GAppLaunchContext), nullptr, GTypeFlags(0));
    return type;
}

// GIO asks the context for an id only for entries with StartupNotify=true, yet reports a
// failed D-Bus activation to it under that id all the same, and a missing id makes GLib
// complain on stderr. The context serves nothing else here, so the other entries go without.
GObjectPtr<GAppLaunchContext> launchContextFor(GAppInfo* application)
{
    if (!G_IS_DESKTOP_APP_INFO(application) ||
        !g_desktop_app_info_get_boolean(G_DESKTOP_APP_INFO(application), startupNotifyKey))
        return nullptr;
    return GObjectPtr<GAppLaunchContext>(
        static_cast<GAppLaunchContext*>(g_object_new(launchContextType(), nullptr)));
}

// Shared with the launch's callback, which may come after the wait has given up.
struct LaunchAnswer {
    bool answered = false;
    bool launched = false;
};

void onLaunchAnswered(GObject* source, GAsyncResult* result, gpointer data)
{
    const std::unique_ptr<std::shared_ptr<LaunchAnswer>> answer(
        static_cast<std::shared_ptr<LaunchAnswer>*>(data));
    GError* rawError = nullptr;
    (*answer)->launched = g_app_info_launch_uris_finish(G_APP_INFO(source), result, &rawError);
    const GErrorPtr error(rawError);
    (*answer)->answered = true;
}

gboolean stopWaiting(gpointer expired)
{
    *static_cast<bool*>(expired) = true;
    return G_SOURCE_REMOVE;
}

// Launching the desktop entry, not its executable, keeps what the entry says: field codes,
// wrappers such as env or flatpak, extra arguments, Terminal= and D-Bus activation. The launch
// runs on a main context of its own, so that only its own answer is dispatched while waiting.
BrowserPlatform::Outcome launch(GAppInfo* application, const QString& url)
{
    if (!g_app_info_supports_uris(application))
        return BrowserPlatform::Outcome::NoBrowser;
    QByteArray uri = url.toUtf8();
    GList uris{uri.data(), nullptr, nullptr};
    const GObjectPtr<GAppLaunchContext> context = launchContextFor(application);
    const std::unique_ptr<GMainContext, GMainContextUnref> loop(g_main_context_new());
    g_main_context_push_thread_default(loop.get());
    const auto answer = std::make_shared<LaunchAnswer>();
    g_app_info_launch_uris_async(application, &uris, context.get(), nullptr, onLaunchAnswered,
                                 new std::shared_ptr<LaunchAnswer>(answer));
    bool expired = false;
    const std::unique_ptr<GSource, GSourceUnref> timeout(g_timeout_source_new(launchAnswerWaitMs));
    g_source_set_callback(timeout.get(), stopWaiting, &expired, nullptr);
    g_source_attach(timeout.get(), loop.get());
    while (!answer->answered && !expired)
        g_main_context_iteration(loop.get(), TRUE);
    g_main_context_pop_thread_default(loop.get());
    return !answer->answered || answer->launched ? BrowserPlatform::Outcome::Started
                                                 : BrowserPlatform::Outcome::StartFailed;
}

} // namespace

BrowserPlatform::Outcome GioPlatform::openWithWebHandler(const QString& url)
{
    for (const char* scheme : webSchemes) {
        const GObjectPtr<GAppInfo> application(g_app_info_get_default_for_uri_scheme(scheme));
        if (application && g_app_info_supports_uris(application.get()))
            return launch(application.get(), url);
    }
    return Outcome::NoBrowser;
}

BrowserPlatform::Outcome GioPlatform::openWithFileHandler(const QString& filePath,
                                                          const QString& url)
{
    const GCharPtr htmlType = htmlContentType();
    const QByteArray nativePath = QFile::encodeName(filePath);
    const GObjectPtr<GFile> file(g_file_new_for_path(nativePath.constData()));
    GError* rawError = nullptr;
    const GObjectPtr<GAppInfo> application(
        g_file_query_default_handler(file.get(), nullptr, &rawError));
    // A file with no associated application is an answer, not a failure to report.
    const GErrorPtr error(rawError);
    // Without a MIME database the file is sniffed as plain text; ask for HTML by name then.
    if (!application || !htmlType || !isForHtml(application.get(), htmlType.get()))
        return openWithHtmlHandler(url);
    return launch(application.get(), url);
}

BrowserPlatform::Outcome GioPlatform::openWithHtmlHandler(const QString& url)
{
    const GCharPtr htmlType = htmlContentType();
    if (!htmlType)
        return Outcome::NoBrowser;
    const GObjectPtr<GAppInfo> application(g_app_info_get_default_for_type(htmlType.get(), FALSE));
    if (!application || !isForHtml(application.get(), htmlType.get()))
        return Outcome::NoBrowser;
    return launch(application.get(), url);
}

} // namespace quorvel
