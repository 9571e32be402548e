#include "weblink/gioplatform.h"

#include <QFile>
#include <gio/gio.h>
#include <memory>

namespace quorvel {

namespace {

constexpr char htmlMimeType[] = "text/html";

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
struct GAppInfoListFree {
    void operator()(GList* list) const { g_list_free_full(list, g_object_unref); }
};

template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GCharPtr = std::unique_ptr<gchar, GFree>;
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

// Content types are MIME types on Linux but not on every system GIO serves.
GCharPtr htmlContentType()
{
    return GCharPtr(g_content_type_from_mime_type(htmlMimeType));
}

// GIO also offers the programs of a parent type: a text editor opens text/plain and so, by
// inheritance, HTML. Only one that names HTML itself, or that the user has associated with
// it, is taken for a browser.
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
    return false;
}

// Launching the desktop entry, not its executable, keeps what the entry says: field codes,
// wrappers such as env or flatpak, extra arguments, Terminal= and D-Bus activation.
BrowserPlatform::Outcome launch(GAppInfo* application, const QString& url)
{
    if (!g_app_info_supports_uris(application))
        return BrowserPlatform::Outcome::NoBrowser;
    QByteArray uri = url.toUtf8();
    GList uris{uri.data(), nullptr, nullptr};
    const GObjectPtr<GAppLaunchContext> context(g_app_launch_context_new());
    GError* rawError = nullptr;
    const bool launched = g_app_info_launch_uris(application, &uris, context.get(), &rawError);
    const GErrorPtr error(rawError);
    return launched ? BrowserPlatform::Outcome::Started : BrowserPlatform::Outcome::StartFailed;
}

} // namespace

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
