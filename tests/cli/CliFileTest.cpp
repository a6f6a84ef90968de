// The command-line program on program files, and how it fails: run as a
// script runs it, without a processor.

#include "tests/cli/CliRun.h"
#include "tests/LocaleTable.h"

#include "model/Audio_Data.h"
#include "model/LockState.h"
#include "model/ProgramBank.h"
#include "programs/ProgramCodec.h"
#include "programs/ProgramFile.h"
#include "tests/programs/SamplePrograms.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;

Bytes ReadBytes(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return {data.begin(), data.end()};
}

std::string Latin1(const QJsonValue& value)
{
    return value.toString().toLatin1().toStdString();
}

// The records rebuilt from what show --json printed, field by field.
void LoadFilter(const QJsonObject& json, CFilter& filter)
{
    filter.m_nType = json["type"].toInt();
    filter.m_nFreq = json["frequency"].toInt();
    filter.m_nGeqFreq = json["geqFrequency"].toInt();
    filter.m_nSentFreq = json["sentFrequency"].toInt();
    filter.m_dGain = json["gain"].toDouble();
    filter.m_bBypass = json["bypass"].toInt();
    filter.m_bOff = json["off"].toInt();
    filter.m_dBandwidth = json["bandwidth"].toDouble();
    filter.m_dGeqBandwidth = json["geqBandwidth"].toDouble();
    filter.m_nXoverType = json["xoverType"].toInt();
    filter.m_nSlope = json["slope"].toInt();
    filter.m_nCode = json["code"].toInt();
}

void LoadBands(const QJsonArray& bands, CAudio_Channel& channel)
{
    ASSERT_EQ(bands.size(), channel.GetBandCount());
    for (int k = 0; k < channel.GetBandCount(); ++k)
        LoadFilter(bands[k].toObject(), channel.GetBand(k));
}

void LoadInput(const QJsonObject& json, CAudio_InData& in)
{
    EXPECT_EQ(json["channel"].toInt(), in.GetChannel());
    in.SetName(Latin1(json["name"]));
    in.m_bOn = static_cast<uint8_t>(json["on"].toInt());
    in.m_bInvert = static_cast<uint8_t>(json["polarity"].toInt());
    in.m_nDelay = json["delay"].toInt();
    in.m_nGain = json["gain"].toInt();
    in.m_bGateActive = static_cast<uint8_t>(json["gateActive"].toInt());
    in.m_nSpare15 = json["spare"].toInt();
    in.m_byParamCode = static_cast<uint8_t>(json["paramCode"].toInt());
    LoadBands(json["bands"].toArray(), in);
}

void LoadOutput(const QJsonObject& json, CAudio_OutData& out)
{
    EXPECT_EQ(json["channel"].toInt(), out.GetChannel());
    out.SetName(Latin1(json["name"]));
    out.m_nReserved = json["reserved"].toInt();
    out.m_byNameCode = static_cast<uint8_t>(json["nameCode"].toInt());
    out.m_bOn = static_cast<uint8_t>(json["on"].toInt());
    out.m_nGain = json["gain"].toInt();
    out.m_bInvert = static_cast<uint8_t>(json["polarity"].toInt());
    out.m_byRoute = static_cast<uint8_t>(json["routing"].toInt());
    out.m_nDelay = json["delay"].toInt();
    out.m_byParamCode = static_cast<uint8_t>(json["paramCode"].toInt());
    out.m_bGeqMode = json["geqMode"].toInt();
    out.m_nLimitThreshold = json["limitThreshold"].toInt();
    out.m_nLimitAttack = json["limitAttack"].toInt();
    out.m_nLimitRelease = json["limitRelease"].toInt();
    out.m_byLimitCode = static_cast<uint8_t>(json["limitCode"].toInt());
    LoadBands(json["bands"].toArray(), out);
    LoadFilter(json["highPass"].toObject(), out.GetHighPass());
    LoadFilter(json["lowPass"].toObject(), out.GetLowPass());
}

class CliFileTest : public ::testing::Test
{
protected:
    CliFileTest()
    {
        m_strProgram = m_dir.filePath("sample.dia1C");
        m_strBank = m_dir.filePath("sample.dat1C");
        auto pProgram = std::make_unique<CAudio_Data>();
        CLockState locks;
        SamplePrograms::FillProgram(*pProgram, locks);
        EXPECT_EQ(ProgramFile::WriteProgramFile(m_strProgram, *pProgram, locks), ProgramFileError::kNone);
        auto pBank = std::make_unique<CProgramBank>();
        SamplePrograms::FillBank(*pBank);
        EXPECT_EQ(ProgramFile::WriteBankFile(m_strBank, *pBank), ProgramFileError::kNone);
    }

    QTemporaryDir m_dir;
    QString m_strProgram;
    QString m_strBank;
};
}

// Rebuilding the records from the JSON and writing them again gives the
// very file: the JSON holds every value the file puts into the model, to
// the last bit of every double.
TEST_F(CliFileTest, ShowJsonOfAProgramFileHoldsWhatReadingItIntoTheModelGives)
{
    const CliResult shown = RunCli({"show", "--json", m_strProgram});
    ASSERT_EQ(shown.nExit, 0) << shown.strErr.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(shown.strOut.toUtf8()).object();
    EXPECT_EQ(json["kind"].toString(), "program");

    auto pRead = std::make_unique<CAudio_Data>();
    CLockState readLocks;
    ASSERT_EQ(ProgramFile::ReadProgramFile(m_strProgram, *pRead, readLocks), ProgramFileError::kNone);

    auto pRebuilt = std::make_unique<CAudio_Data>();
    CLockState rebuiltLocks;
    pRebuilt->SetName(Latin1(json["name"]));
    const QJsonArray functionLocks = json["functionLocks"].toArray();
    ASSERT_EQ(functionLocks.size(), CLockState::kFunctionFlags);
    for (int flag = 0; flag < CLockState::kFunctionFlags; ++flag)
        rebuiltLocks.SetFlag(flag, functionLocks[flag].toInt() != 0);
    const QJsonArray inputs = json["inputs"].toArray();
    const QJsonArray outputs = json["outputs"].toArray();
    ASSERT_EQ(inputs.size(), CAudio_InRoute::kCount);
    ASSERT_EQ(outputs.size(), CAudio_OutRoute::kCount);
    for (int i = 0; i < CAudio_InRoute::kCount; ++i)
        LoadInput(inputs[i].toObject(), pRebuilt->Input(i));
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i)
        LoadOutput(outputs[i].toObject(), pRebuilt->Output(i));

    EXPECT_EQ(ProgramCodec::EncodeProgram(*pRebuilt, rebuiltLocks), ReadBytes(m_strProgram));
    EXPECT_EQ(ProgramCodec::EncodeProgram(*pRebuilt, rebuiltLocks), ProgramCodec::EncodeProgram(*pRead, readLocks));
    // The gate threshold is not in the file, so it is not shown.
    EXPECT_FALSE(inputs[0].toObject().contains("gate"));
}

TEST_F(CliFileTest, ShowJsonOfABankFileHoldsEverySlotAsTheBankReadsIt)
{
    const CliResult shown = RunCli({"show", "--json", m_strBank});
    ASSERT_EQ(shown.nExit, 0) << shown.strErr.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(shown.strOut.toUtf8()).object();
    EXPECT_EQ(json["kind"].toString(), "bank");
    const QJsonArray programs = json["programs"].toArray();
    ASSERT_EQ(programs.size(), CProgramBank::kSlots);

    auto pRebuilt = std::make_unique<CProgramBank>();
    for (int n = 1; n <= CProgramBank::kSlots; ++n)
    {
        const QJsonObject program = programs[n - 1].toObject();
        EXPECT_EQ(program["program"].toInt(), n);
        CImageSlot& slot = pRebuilt->GetAt(n - 1);
        const QByteArray image = QByteArray::fromHex(program["image"].toString().toLatin1());
        ASSERT_EQ(image.size(), CImageSlot::kImageBytes);
        std::copy(image.begin(), image.end(), slot.abyImage.begin());
        slot.strName = Latin1(program["name"]);
        const QJsonArray lockBytes = program["lockBytes"].toArray();
        ASSERT_EQ(lockBytes.size(), CImageSlot::kInfoBytes);
        for (int k = 0; k < CImageSlot::kInfoBytes; ++k)
            slot.abyInfo[static_cast<size_t>(k)] = static_cast<uint8_t>(lockBytes[k].toInt());
        // The channels are the image loaded into a record, gate included.
        EXPECT_EQ(program["inputs"].toArray().size(), CAudio_InRoute::kCount);
        EXPECT_EQ(program["outputs"].toArray().size(), CAudio_OutRoute::kCount);
        EXPECT_TRUE(program["inputs"].toArray()[0].toObject().contains("gate"));
    }
    EXPECT_EQ(ProgramCodec::EncodeBank(*pRebuilt), ReadBytes(m_strBank));

    const CliResult one = RunCli({"show", "--json", "--program", "5", m_strBank});
    ASSERT_EQ(one.nExit, 0);
    const QJsonArray only = QJsonDocument::fromJson(one.strOut.toUtf8()).object()["programs"].toArray();
    ASSERT_EQ(only.size(), 1);
    EXPECT_EQ(only[0].toObject(), programs[4].toObject());
}

TEST_F(CliFileTest, ShowTextUsesTheEditorsTextFormsAndTheLockText)
{
    const CliResult shown = RunCli({"show", m_strProgram});
    ASSERT_EQ(shown.nExit, 0) << shown.strErr.toStdString();
    const QStringList lines = shown.OutLines();
    // Input gain and EQ are locked in the sample, input mute and outputs'
    // routing are not.
    for (const char* pszLine :
         {"Program \"Mix %s 100%\"",
          "Function locks: inputs Gain, EQ, Link; outputs Gain, EQ, Link; reserved flags 9",
          "Input A \"Overhead\": Mute, polarity -, gain Lock, delay 1000.000ms",
          "  EQ  1: Lock Lock Lock Q Lock Lock",
          "Input B \"%d%n%s\": On, polarity +, gain Lock, delay 0.000ms",
          "Output 1 \"Sub Left\": On, polarity +, gain Lock, delay 0.147ms, EQ mode GEQ",
          "  routing A On, B On, C On, D On",
          "  high-pass 80Hz L_R 48dB/oct, low-pass 1000Hz BTWorth 12dB/oct",
          "  limiter threshold -27.7dBu, attack 200ms, release 5000ms"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(pszLine))) << pszLine << "\n" << shown.strOut.toStdString();

    const CliResult bank = RunCli({"show", "--program", "5", m_strBank});
    ASSERT_EQ(bank.nExit, 0);
    EXPECT_EQ(bank.OutLines().value(0), QString::fromUtf8("Program 5 \"caf\xC3\xA9\\x00en\""));
    EXPECT_EQ(bank.OutLines().value(1), "Lock bytes: 15 26 37 48 59 6A 7B 8C 9D AE BF D0");
}

// A desktop with a decimal comma changes nothing the program prints: the
// text and the JSON of a program and of a bank are the bytes they are under
// C.UTF-8.
TEST_F(CliFileTest, ShowPrintsTheSameUnderEveryLocale)
{
    // A locale the machine lacks would leave the program in C, proving nothing.
    for (const TableLocale& locale : kTableLocales)
    {
        const CLocaleScope scope(locale.pszName);
        ASSERT_TRUE(InEffect(scope, locale));
    }
    const std::vector<QStringList> commands{{"show", m_strProgram},
                                            {"show", "--json", m_strProgram},
                                            {"show", m_strBank},
                                            {"show", "--json", "--program", "5", m_strBank}};
    for (const QStringList& args : commands)
    {
        SCOPED_TRACE(args.join(' ').toStdString());
        std::vector<CliResult> results;
        for (const TableLocale& locale : kTableLocales)
        {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("LC_ALL", locale.pszName);
            results.push_back(RunCli(args, environment));
        }
        ASSERT_EQ(results.front().nExit, 0) << results.front().strErr.toStdString();
        for (size_t i = 1; i < results.size(); ++i)
        {
            SCOPED_TRACE(kTableLocales[i].pszName);
            EXPECT_EQ(results[i].nExit, 0);
            EXPECT_EQ(results[i].strOut.toStdString(), results.front().strOut.toStdString());
            EXPECT_EQ(results[i].strErr.toStdString(), results.front().strErr.toStdString());
        }
        // Texts with decimals, which a comma locale would change.
        if (args == QStringList{"show", m_strProgram})
        {
            EXPECT_TRUE(results.back().OutLines().contains("  limiter threshold -27.7dBu, attack 200ms, release 5000ms"));
        }
    }
}

// Every failure: exit status 1 (or 2 for a wrong command line), one line on
// standard error naming what went wrong, nothing on standard output.
TEST_F(CliFileTest, FailuresGiveOneLineAndANonZeroStatus)
{
    const QString strShort = m_dir.filePath("short.dia1C");
    {
        QFile file(strShort);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const Bytes bytes = ReadBytes(m_strProgram);
        file.write(reinterpret_cast<const char*>(bytes.data()), 5000);
    }
    const QString strOut = m_dir.filePath("out.dat1C");
    const QString strNoPort = m_dir.filePath("no-such-port");
    struct Row
    {
        const char* pszName;
        QStringList args;
        int nExit;
        const char* pszSays;
    };
    const Row rows[] = {
        {"no command", {}, 2, "no command given"},
        {"unknown command", {"frobnicate"}, 2, "unknown command \"frobnicate\""},
        {"unknown option", {"show", "--frob", m_strProgram}, 2, "show: Unknown option 'frob'"},
        {"no port", {"backup", strOut}, 2, "backup: no port given (--port)"},
        {"bad device ID", {"info", "-p", strNoPort, "--id", "251"}, 2, "--id must be a number from 1 to 250"},
        {"bad language", {"info", "-p", strNoPort, "--language", "fr"}, 2, "--language must be en or zh"},
        {"missing file", {"show", m_dir.filePath("none.dia1C")}, 1, "cannot read"},
        {"short file", {"show", strShort}, 1, "short.dia1C ends before its layout does"},
        {"bank read as a program", {"show", m_dir.filePath("copy.dia1C")}, 1, "copy.dia1C is damaged"},
        {"unknown kind", {"show", m_dir.filePath("sample.txt")}, 1, "cannot tell what"},
        // The file is checked before the port is opened.
        {"bad file to push", {"push-live", "-p", strNoPort, strShort}, 1, "ends before its layout does"},
        {"missing port", {"backup", "-p", strNoPort, strOut}, 1, "Unable to open COM-port: There is no port"},
    };
    ASSERT_TRUE(QFile::copy(m_strBank, m_dir.filePath("copy.dia1C")));
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.pszName);
        const CliResult result = RunCli(row.args);
        EXPECT_EQ(result.nExit, row.nExit);
        EXPECT_EQ(result.strOut, "");
        ASSERT_EQ(result.ErrLines().size(), 1) << result.strErr.toStdString();
        EXPECT_TRUE(result.strErr.startsWith("orvan-cli: ")) << result.strErr.toStdString();
        EXPECT_TRUE(result.strErr.contains(QString::fromUtf8(row.pszSays))) << result.strErr.toStdString();
    }
    EXPECT_FALSE(QFile::exists(strOut));
}

TEST_F(CliFileTest, HelpOfEveryCommandAndThePortList)
{
    for (const char* pszCommand : {"ports", "search", "info", "pull-live", "push-live", "backup", "restore", "show"})
    {
        SCOPED_TRACE(pszCommand);
        const CliResult help = RunCli({pszCommand, "--help"});
        EXPECT_EQ(help.nExit, 0);
        EXPECT_TRUE(help.strOut.startsWith(QStringLiteral("Usage: orvan-cli %1 [options]").arg(pszCommand)));
        EXPECT_EQ(help.strErr, "");
    }
    EXPECT_TRUE(RunCli({"--help"}).strOut.contains("restore"));

    const CliResult ports = RunCli({"ports"});
    EXPECT_EQ(ports.nExit, 0);
    for (const QString& line : ports.OutLines())
    {
        const QStringList fields = line.split('\t');
        ASSERT_EQ(fields.size(), 4) << line.toStdString();
        EXPECT_TRUE(fields[1] == "usb" || fields[1] == "-");
    }
}
