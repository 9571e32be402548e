#include "weblink/gioplatform.h"

#include <QFile>
#include <QProcess>
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

template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GCharPtr = std::unique_ptr<gchar, GFree>;

// The full path of the application's program. Desktop entries usually name the program
// without a directory, to be looked up in PATH as their launcher would.
std::optional<QString> programPath(GAppInfo* application)
{
    if (application == nullptr)
        return std::nullopt;
    const char* executable = g_app_info_get_executable(application);
    if (executable == nullptr || *executable == '\0')
        return std::nullopt;
    const GCharPtr found(g_find_program_in_path(executable));
    if (!found)
        return std::nullopt;
    return QFile::decodeName(found.get());
}

} // namespace

std::optional<QString> GioPlatform::programForFile(const QString& filePath)
{
    const QByteArray nativePath = QFile::encodeName(filePath);
    const GObjectPtr<GFile> file(g_file_new_for_path(nativePath.constData()));
    GError* rawError = nullptr;
    const GObjectPtr<GAppInfo> application(
        g_file_query_default_handler(file.get(), nullptr, &rawError));
    // A file with no associated application is an answer, not a failure to report.
    const std::unique_ptr<GError, GErrorFree> error(rawError);
    return programPath(application.get());
}

std::optional<QString> GioPlatform::programForHtml()
{
    // Content types are MIME types on Linux but not on every system GIO serves.
    const GCharPtr contentType(g_content_type_from_mime_type(htmlMimeType));
    if (!contentType)
        return std::nullopt;
    const GObjectPtr<GAppInfo> application(
        g_app_info_get_default_for_type(contentType.get(), FALSE));
    return programPath(application.get());
}

bool GioPlatform::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace quorvel
