// The program's resource script, compiled into this test: the icon loads in each size Windows
// asks for at the usual scalings, the version information is the project's, and the manifest
// declares per-monitor DPI awareness and long paths.
#include "quorvelresource.h"

#include <QtTest>
#include <windows.h>

namespace {

constexpr int programIcon = 1;
constexpr int programManifest = 1; // the one Windows reads as it starts the program
constexpr int iconGroupType = 14;  // RT_GROUP_ICON
constexpr int manifestType = 24;   // RT_MANIFEST

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void iconLoads_data();
    void iconLoads();
    void versionIsTheProjects();
    void manifestDeclares_data();
    void manifestDeclares();
};

void ResourcesTest::iconLoads_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        QTest::addRow("%d pixels", size) << size;
    }
}

void ResourcesTest::iconLoads()
{
    QFETCH(int, size);
    // The icon group lists its images after a six-byte header, fourteen bytes each, the width
    // first (0 for 256).
    HRSRC group =
        FindResourceW(nullptr, MAKEINTRESOURCEW(programIcon), MAKEINTRESOURCEW(iconGroupType));
    QVERIFY(group != nullptr);
    const auto* entries =
        static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, group)));
    QList<int> drawn;
    for (int i = 0; i < entries[4]; ++i) {
        drawn.append(entries[6 + 14 * i] == 0 ? 256 : entries[6 + 14 * i]);
    }
    QVERIFY2(drawn.contains(size), "no image drawn for this size");
    QVERIFY(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(programIcon), IMAGE_ICON, size,
                       size, 0) != nullptr);
}

void ResourcesTest::versionIsTheProjects()
{
    std::vector<wchar_t> path(MAX_PATH * 4, L'\0');
    GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::vector<char> info(GetFileVersionInfoSizeW(path.data(), nullptr));
    QVERIFY(!info.empty());
    QVERIFY(GetFileVersionInfoW(path.data(), 0, static_cast<DWORD>(info.size()), info.data()) != 0);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    QVERIFY(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) != 0);
    QCOMPARE(fixed->dwFileVersionMS, DWORD(MAKELONG(QUORVEL_VERSION_MINOR, QUORVEL_VERSION_MAJOR)));
    QCOMPARE(fixed->dwFileVersionLS, DWORD(MAKELONG(0, QUORVEL_VERSION_PATCH)));
    const auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        return VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value),
                              &length) != 0
                   ? QString::fromWCharArray(value)
                   : QString();
    };
    QCOMPARE(text(L"ProductVersion"), QString(QUORVEL_VERSION_TEXT));
    QCOMPARE(text(L"LegalCopyright"), QString(QUORVEL_COPYRIGHT));
}

void ResourcesTest::manifestDeclares_data()
{
    QTest::addColumn<QByteArray>("setting");
    for (const char* setting :
         {"<dpiAwareness", ">PerMonitorV2<", "<longPathAware", "<supportedOS"}) {
        QTest::newRow(setting) << QByteArray(setting);
    }
}

void ResourcesTest::manifestDeclares()
{
    QFETCH(QByteArray, setting);
    HRSRC found =
        FindResourceW(nullptr, MAKEINTRESOURCEW(programManifest), MAKEINTRESOURCEW(manifestType));
    QVERIFY(found != nullptr);
    const QByteArray declared(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                              SizeofResource(nullptr, found));
    QVERIFY(declared.contains(setting));
}

QTEST_APPLESS_MAIN(ResourcesTest)
#include "tst_resources.moc"
