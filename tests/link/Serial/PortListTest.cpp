#include "link/Serial/PortList.h"

#include <gtest/gtest.h>

namespace
{
struct DescribeCase
{
    const char* pszName;
    SerialPortFacts facts;
    std::optional<SerialPortEntry> expected;
};

const DescribeCase kDescribeCases[] = {
    {"FriendlyNameGivesThePortName",
     {"", "", "USB-SERIAL CH340 (COM7)", false},
     SerialPortEntry{"COM7", "COM7", true, "USB-SERIAL CH340"}},
    {"WindowsUsbAdapter",
     {"COM7", "\\\\.\\COM7", "USB-SERIAL CH340", true},
     SerialPortEntry{"\\\\.\\COM7", "COM7", true, "USB-SERIAL CH340"}},
    {"WindowsBuiltInPort",
     {"COM1", "\\\\.\\COM1", "Communications Port", false},
     SerialPortEntry{"\\\\.\\COM1", "COM1", false, "Communications Port"}},
    {"UsbLocationWithoutVendorId",
     {"ttyUSB0", "/dev/ttyUSB0", "", false},
     SerialPortEntry{"/dev/ttyUSB0", "ttyUSB0", true, "ttyUSB0"}},
    {"CdcAcmModem",
     {"ttyACM0", "/dev/ttyACM0", "", false},
     SerialPortEntry{"/dev/ttyACM0", "ttyACM0", true, "ttyACM0"}},
    {"VendorIdAlone",
     {"ttyS4", "/dev/ttyS4", "Serial Bridge", true},
     SerialPortEntry{"/dev/ttyS4", "ttyS4", true, "Serial Bridge"}},
    {"OnboardPortWithoutDescription",
     {"ttyS0", "/dev/ttyS0", "", false},
     SerialPortEntry{"/dev/ttyS0", "ttyS0", false, "ttyS0"}},
    {"ParenthesesInDescriptionDoNotOverrideTheName",
     {"cu.usbserial-1410", "/dev/cu.usbserial-1410", "USB-Serial (CH340)", true},
     SerialPortEntry{"/dev/cu.usbserial-1410", "cu.usbserial-1410", true, "USB-Serial (CH340)"}},
    {"UnclosedParenthesisGivesNoName", {"", "", "Communications Port (COM", false}, std::nullopt},
    {"NoNameAtAll", {"", "", "Communications Port", false}, std::nullopt},
};
}

TEST(PortList, DescribeTurnsSystemFactsIntoEntries)
{
    for (const DescribeCase& c : kDescribeCases)
    {
        SCOPED_TRACE(c.pszName);
        const auto entry = PortList::Describe(c.facts);
        ASSERT_EQ(entry.has_value(), c.expected.has_value());
        if (!entry)
            continue;
        EXPECT_EQ(entry->strDevicePath, c.expected->strDevicePath);
        EXPECT_EQ(entry->strPortName, c.expected->strPortName);
        EXPECT_EQ(entry->fUsb, c.expected->fUsb);
        EXPECT_EQ(entry->strDescription, c.expected->strDescription);
    }
}

TEST(PortList, EnumerationReplacesTheListWithNamedPorts)
{
    QList<SerialPortEntry> lstPorts{SerialPortEntry{"stale", "stale", false, "stale"}};
    EnumeratePorts(lstPorts, false);
    for (const SerialPortEntry& entry : lstPorts)
    {
        SCOPED_TRACE(entry.strDevicePath.toStdString());
        EXPECT_FALSE(entry.strPortName.isEmpty());
        EXPECT_FALSE(entry.strDevicePath.isEmpty());
        EXPECT_FALSE(entry.strDescription.isEmpty());
        EXPECT_NE(entry.strPortName, "stale");
    }
}

TEST(PortList, UsbAdapterCarriesItsIdsAndMaker)
{
    const auto entry = PortList::Describe({"ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART", true, 0x0403, true, 0x6001, " FTDI "});
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->strUsbId, "0403:6001");
    EXPECT_EQ(entry->strManufacturer, "FTDI");
    EXPECT_TRUE(PortList::Describe({"ttyS0", "/dev/ttyS0", "", false})->strUsbId.isEmpty());
}

TEST(PortList, VirtualProcessorGoesFirstOnceAndOnlyWhenNamed)
{
    QList<SerialPortEntry> lstPorts{SerialPortEntry{"/dev/ttyS0", "ttyS0", false, "ttyS0"},
                                    SerialPortEntry{"/tmp/vp", "/tmp/vp", false, "/tmp/vp"}};
    PortList::PutVirtualFirst(lstPorts, "");
    EXPECT_EQ(lstPorts.size(), 2);
    PortList::PutVirtualFirst(lstPorts, "/tmp/vp");
    ASSERT_EQ(lstPorts.size(), 2);
    EXPECT_EQ(lstPorts[0].strDevicePath, "/tmp/vp");
    EXPECT_TRUE(lstPorts[0].fVirtual);
    EXPECT_FALSE(lstPorts[1].fVirtual);
}

TEST(PortList, EnumerationOffersTheVirtualProcessorFromTheEnvironment)
{
    qputenv(PortList::kVirtualPortVariable, "/tmp/orvan-vproc-test");
    QList<SerialPortEntry> lstPorts;
    EnumeratePorts(lstPorts);
    qunsetenv(PortList::kVirtualPortVariable);
    ASSERT_FALSE(lstPorts.isEmpty());
    EXPECT_EQ(lstPorts.front().strPortName, "/tmp/orvan-vproc-test");
    EXPECT_TRUE(lstPorts.front().fVirtual);
}
