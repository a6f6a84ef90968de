#pragma once

// The service against the virtual processor on a pseudo-terminal, in the
// test's own process, and a client of its API on Qt's network module.

#include "serve/HttpApi.h"
#include "serve/ServeLink.h"
#include "tests/VprocProcess.h"
#include "vproc/ProcessorState.h"
#include "vproc/StateFile.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

struct ApiAnswer
{
    int nStatus = 0;
    QJsonObject json;
    QByteArray raw;
    QList<QNetworkReply::RawHeaderPair> headers;

    QString Error() const { return json.value("error").toString(); }
};

class ServeFixture : public ::testing::Test
{
protected:
    ~ServeFixture() override
    {
        m_pApi.reset();
        m_pLink.reset();
    }

    QString Path(const QString& strName) const { return m_dir.filePath(strName); }

    // The processor, then the service connected to it.
    void StartProcessor(QStringList args = {})
    {
        m_pProcessor = std::make_unique<CVprocProcess>(Path("port"));
        args << "--state" << Path("processor.state");
        ASSERT_TRUE(m_pProcessor->Start(args));
    }

    void StartService(CHttpApi::Options httpOptions = {}, CServeLink::Options linkOptions = {})
    {
        linkOptions.strPort = m_pProcessor->Port();
        linkOptions.nFirstRetryMs = 200;
        linkOptions.nLastRetryMs = 800;
        m_pLink = std::make_unique<CServeLink>(linkOptions);
        httpOptions.nPort = 0;
        m_pApi = std::make_unique<CHttpApi>(*m_pLink, httpOptions);
        QString strReason;
        ASSERT_TRUE(m_pApi->Listen(strReason)) << strReason.toStdString();
        m_pLink->Start();
        ASSERT_TRUE(WaitOnline()) << "the service did not connect";
    }

    bool WaitOnline(int nTimeoutMs = 30000)
    {
        return RunUntil([this] { return m_pLink->IsOnline(); }, nTimeoutMs);
    }

    QString Base(const QString& strHost = "127.0.0.1") const
    {
        return QStringLiteral("http://%1:%2").arg(strHost).arg(m_pApi->Port());
    }

    ApiAnswer Send(const QByteArray& method, const QString& strPath, const QByteArray& body = {},
                   const std::vector<std::pair<QByteArray, QByteArray>>& headers = {{"Content-Type", "application/json"}},
                   const QString& strBase = {})
    {
        QNetworkRequest request(QUrl((strBase.isEmpty() ? Base() : strBase) + strPath));
        for (const auto& [name, value] : headers)
            request.setRawHeader(name, value);
        QNetworkReply* pReply = m_network.sendCustomRequest(request, method, body);
        EXPECT_TRUE(RunUntil([pReply] { return pReply->isFinished(); }, 10000)) << strPath.toStdString();
        ApiAnswer answer;
        answer.nStatus = pReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        answer.raw = pReply->readAll();
        answer.json = QJsonDocument::fromJson(answer.raw).object();
        answer.headers = pReply->rawHeaderPairs();
        pReply->deleteLater();
        return answer;
    }

    ApiAnswer Get(const QString& strPath) { return Send("GET", strPath, {}, {}); }
    ApiAnswer Put(const QString& strPath, const QJsonObject& body)
    {
        return Send("PUT", strPath, QJsonDocument(body).toJson(QJsonDocument::Compact));
    }
    ApiAnswer Post(const QString& strPath, const QJsonObject& body = {})
    {
        return Send("POST", strPath, body.isEmpty() ? QByteArray() : QJsonDocument(body).toJson(QJsonDocument::Compact));
    }

    // Waits until the pump has sent every edit: for a while only meter
    // polls stood in the queue.
    void WaitDrained()
    {
        int nQuiet = 0;
        RunUntil(
            [&]
            {
                const CSendDataQueue& queue = m_pLink->Link().Command().Queue();
                nQuiet = queue.Count() <= 1 && !m_pLink->Link().Transfer().IsRunning() ? nQuiet + 1 : 0;
                return nQuiet > 20;
            },
            10000);
    }

    // Stops the processor, which saves its state, and reads that state.
    CProcessorState ProcessorState()
    {
        m_pLink->Stop();
        m_pProcessor->Stop();
        CProcessorState state;
        std::string strError;
        EXPECT_TRUE(CStateFile::Load(Path("processor.state").toStdString(), state, strError)) << strError;
        return state;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CVprocProcess> m_pProcessor;
    std::unique_ptr<CServeLink> m_pLink;
    std::unique_ptr<CHttpApi> m_pApi;
    QNetworkAccessManager m_network;
};
