#pragma once

class CChannelSelector;
class CProcessorLink;
class QWidget;

// The EQ panels' context menu: a measurement tool's filter set read into the
// bands of the selected channel, undone as one step. Installed on `panel`;
// the link and the selector must outlive it.
void InstallFilterImportMenu(QWidget& panel, CProcessorLink& link, const CChannelSelector& selector);
