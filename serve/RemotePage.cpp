#include "serve/RemotePage.h"

#include <QFile>
#include <QtHttpServer/QHttpServerRequest>

#include <array>

namespace
{
struct PageFile
{
    const char* pszPath;
    const char* pszResource;
    const char* pszType;
};

constexpr std::array kFiles{
    PageFile{"/", ":/page/index.html", "text/html; charset=utf-8"},
    PageFile{"/index.html", ":/page/index.html", "text/html; charset=utf-8"},
    PageFile{"/remote.css", ":/page/remote.css", "text/css; charset=utf-8"},
    PageFile{"/remote.js", ":/page/remote.js", "text/javascript; charset=utf-8"},
};

// Only the page's own files and its own service: no inline script, no
// other origin, not framed by another page.
constexpr const char* kPolicy = "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:; "
                                "connect-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
}

CHttpApi::PageHandler RemotePage::Handler()
{
    return [](const QHttpServerRequest& request, QHttpServerResponder& responder) {
        const QHttpServerRequest::Method method = request.method();
        if (method != QHttpServerRequest::Method::Get && method != QHttpServerRequest::Method::Head)
            return false;
        const QString strPath = request.url().path();
        for (const PageFile& file : kFiles)
        {
            if (strPath != QLatin1String(file.pszPath))
                continue;
            QFile resource(QString::fromLatin1(file.pszResource));
            if (!resource.open(QIODevice::ReadOnly))
                return false;
            const QByteArray body = method == QHttpServerRequest::Method::Head ? QByteArray() : resource.readAll();
            responder.write(body, {{"Content-Type", file.pszType},
                                   {"Cache-Control", "no-cache"},
                                   {"X-Content-Type-Options", "nosniff"},
                                   {"Referrer-Policy", "no-referrer"},
                                   {"Content-Security-Policy", kPolicy}});
            return true;
        }
        return false;
    };
}
