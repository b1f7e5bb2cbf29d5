#include "base/help_catalogue.h"

#include <QHash>

namespace trivolux {

namespace {

// 141 entries: every control callback of the main panel, its nine pages and
// the five child panels that explains itself on a right click. Texts shared by
// several controls (the two tab controls, the three calibration factors, the
// RED/GREEN/BLUE/RGB displays, the three recorded-value graphs, the two
// tolerance rings, the two hold fields, the two record start buttons and the
// four close buttons) are repeated per callback so that the table stays a
// plain lookup. Panel callbacks, the status line, the password entry and the
// teach grid (CBF_GridCtt, whose text is its context menu's "Help") have no
// entry.
const HelpEntry kEntries[] = {
    // Main panel
    {"CBF_TabMain1", "INFO!", "Select TAB-window."},
    {"CBF_ButtonSend", "INFO!",
     "All the parameters of the PC-User-Interface are transferred to the sensor or to a selectable file. "
     "\nThe target of the parameter transfer is determined by the select button (RAM, EEPROM, FILE). "
     "\n\nShortcut Key: F9. "},
    {"CBF_ButtonGet", "INFO!",
     "Sensor or file parameters are transferred to the PC-User-Interface. \nThe source of the parameter "
     "transfer is determined by the select button (RAM, EEPROM, FILE). \n\nShortcut Key: F10. "},
    {"CBF_ButtonGo", "INFO!", "Starts data transfer from sensor to PC. \n\nShortcut Key: F11. "},
    {"CBF_ButtonStop", "INFO!", "Stops data transfer from sensor to PC. \n\nShortcut Key: F12. "},
    {"CBF_SelectMem", "INFO!",
     "Select the target or source of the parameter transfer: \nRAM, EEPROM or FILE."},
    {"CBF_SelectParaSet", "INFO!",
     "Select the parameter set ParaSet 0 or ParaSet 1. \nPossible when TRIGGER=PARA."},
    // Connect page
    {"CBF_ButtonTryToConnect", "INFO!", "Try to connect sensor."},
    {"CBF_ButtonDisconnect", "INFO!", "Disconnect sensor."},
    {"CBF_ButtonAccept", "INFO!", "Accept and save the communication settings."},
    {"CBF_ButtonChangeBaudrate", "INFO!",
     "Save selected Baudrate to sensor. \n\nConfirm new baudrate with EEPROM and SEND."},
    {"CBF_ButtonGenHwInfoFile", "INFO!",
     "Save Hardware Initial File to disk. \nSend this file to your supplier for assistance."},
    {"CBF_EditCommunicationProtocol", "INFO!", "Select the communication protocol RS-232 or TCP/IP."},
    {"CBF_EditSelectComPort", "INFO!", "Select a serial COM-PORT."},
    {"CBF_EditSelectBaudrate", "INFO!",
     "Select the Baudrate for data transfer. \n\nAttention! Sensor and user surface \nmust work with the "
     "same Baudrate. "},
    {"CBF_StringIpAdress", "INFO!", "Enter the IP address or the name of the server."},
    {"CBF_StringPortNumber", "INFO!", "Enter the port number of the server."},
    {"CBF_EditID", "INFO!", "Enter a text to identify the sensor."},
    // Parameter page and group/hold page
    {"CBF_SlidePower", "INFO!",
     "Select the intensity of the transmitter LED. \n0 = no intensity,  1000 = full intensity."},
    {"CBF_EditPmode", "INFO!",
     "Select the operating mode of the transmitter unit. \n\nSTAT: Transmitter power is constantly kept at "
     "the POWER-SLIDER value. \n\nDYN : Transmitter power is dynamically tuned in accordance with the amount "
     "of radiation that \n      is diffusely reflected from the target. Sensor should not exceed the dynamic "
     "range. \n      The dynamic range can be selected with DYN WIN LO and DYN WIN HI."},
    {"CBF_EditLedMode", "INFO!",
     "Select the LED operation mode. \nDC: Light source is permanant on. \nAC: Light source is modulated. "
     "\nPULSE: Light source is pulsed. \nOFF: Light source is off."},
    {"CBF_EditGain", "INFO!",
     "Select a amplification stage of the receicer. \nAMP1 is the lowest amplification. \nAMP8 is the "
     "highest amplification. "},
    {"CBF_EditDynWinLoHi", "INFO!",
     "Select the lower and upper limit of the dynamic window \nfor POWER MODE=DYN."},
    {"CBF_EditAverage", "INFO!",
     "Select the number of scanning values \nover which the raw signal is averaged."},
    {"CBF_EditIntegral", "INFO!",
     "Select the number (0...250) of values \nover which the raw signal is integrated."},
    {"CBF_EditMaxVecNo", "INFO!",
     "Select the number of color vectors which should be \nchecked in the TEACH TABLE beginning with row 0. "
     "\n\nAktive rows in the TEACH TABLE are \nlabelled green, inactive are labelled red."},
    {"CBF_EditDigOutmode", "INFO!",
     "Select how to control the 2 digital outputs. \n\nBINARY: \nIf color group is disabled, the maximum "
     "number of colors to be taught is 3. \nIf a color (row 0-2 in the TEACH TABLE) is detected, this color "
     "is displayed in C-No: \nand is set binary to the digital outputs (OUT0 and OUT1). \nIf no color is "
     "detected, C-No: is 255. The digital outputs (OUT0 and OUT1) are set to HI. \nIf color group is "
     "enabled, the maximum number of colors to be taught is 64, but only 3 groups are possible. \n\nDIRECT "
     "LO: \nIf color group is disabled, the maximum number of colors to be taught is 2. \nIf a color (row 0 "
     "or 1 in the TEACH TABLE) is detected, the special digital output is set to LO, all others are HI. \nIf "
     "no color is detected, C-No: is 255. The digital outputs (OUT0 and OUT1) are set to HI. \nIf color "
     "group is enabled, the maximum number of colors to be taught is 64, but only 2 groups are possible. "
     "\nIf a group is detected, the digital output is set to LO, all others are HI. \n\nDIRECT HI: \nIf "
     "color group is disabled, the maximum number of colors to be taught is 2. \nIf a color (row 0 or 1 in "
     "the TEACH TABLE) is detected, the special digital output is set to HI, all others are LO. \nIf no "
     "color is detected, C-No: is 255. The digital outputs (OUT0 and OUT1) are set to LO. \nIf color group "
     "is enabled, the maximum number of colors to be taught is 64, but only 2 groups are possible. \nIf a "
     "group is detected, the digital output is set to HI, all others are LO."},
    {"CBF_EditIntlim", "INFO!",
     "Select an intensity limit. \nColor evaluation is stopped, if the current intensity INT or M falls "
     "below this limit. \nERROR STATE is output. \n\n ATTENTION: If POWER MODE = DYN. Display INT or M shows "
     "the transmitter power. \n The sensor still calculates the real INT or M and compares it with INTLIM."},
    {"CBF_EditEvalmode", "INFO!",
     "HIT = Current detected signal lies within a taught row in the teach table. \n\nFIRST HIT: First HIT in "
     "the teach table will be output. \n\nBEST HIT: Best HIT (shortest distance to the taught colors) will "
     "be output. \n\nMIN DIST: Shortest distance to the centre of all taught colors will be output when INT "
     "(M) lies within ITO (MTO). \n\nCOL2: Color 0 and 1 can be output simultaneously. \n\nTHD Red Green: "
     "\nOUT0=HI when the red signal is higher than row0/columnTHD in the teach table, otherwise OUT0=LO "
     "\nOUT1=HI when the green signal is higher than row1/columnTHD in the teach table, otherwise OUT1=LO "
     "\nDitto THD Red Blue, THD Green Blue."},
    {"CBF_EditCalcmode", "INFO!",
     "Select a calculation mode: \nX Y INT - 2D = X/Y pairs and intensity. \ns i   M - 2D = s/i pairs and M. "
     "\nX Y INT - 3D = X/Y/INT pairs. \ns i   M - 3D = s/i/M pairs."},
    {"CBF_EditExteach", "INFO!",
     "Select external teach mode. \n\nOFF: No external teach. \n\nON: External teach to all rows of the "
     "teach table (See manual). \nATTENTION! The taught values are stored into the EEPROM of the sensor. "
     "\nIf you are in the GO mode during an external teach, \nyou will get a TIMEOUT, because of the EEPROM "
     "transfer. \n\nSTAT1: External teach to row 0 of the teach table. \nTransmitter power is the power "
     "selected with the power slider. \nThe taught values are stored into the RAM of the sensor. \n\nDYN1: "
     "External teach to row 0 of the teach table. \nThe transmitter power is adjusted dynamically, when IN0 "
     "goes high. \nAfter the power is adjusted, the sensor works on static with this detected power value. "
     "\nThe taught values are stored into the RAM of the sensor. \nNOTE! DYN1 is not available in "
     "combination with LED MODE=OFF. \n\nNOTE! Colors will be teached up to MAXCOL-No: when EVALUATION MODE "
     "is FIRST HIT. \n\nNOTE! When EVALUATION MODE is THD Red Green, THD Red Blue, THD Green Blue, \na "
     "maximum and a minimum for each channel will be detected while IN0 is high. \nThe threshold for the "
     "selected channels is set to (MAX+MIN)/2. \nThe taught thresholds will be stored in the EEPROM when "
     "EXTEACH=ON. \nThe taught thresholds will be stored in the RAM when EXTEACH=STAT1 or DYN1."},
    {"CBF_EditTrigger", "INFO!",
     "Select the trigger mode for the sensor. \n\nCONT: Continuous color detection (no trigger event "
     "required). \n\nSELF: Self Trigger! 'Trigger' is given, when the actual color is anything else than "
     "color 0. \n      Color detection as long as trigger (color is not color 0). \n      When trigger goes "
     "low (redetection of color 0), the most detected color will be hold at the output. \n\nEXT1: Color "
     "detection as long as trigger (IN0) is high. \n      When trigger goes low, the most detected color "
     "will be hold at the output. \n\nEXT2: Color detection as long as trigger (IN0) is high. \n      When "
     "trigger goes low, the last detected color will be hold at the output. \n\nEXT3: Color detection as "
     "long as trigger (IN0) is high. \n      When trigger goes low, fail condition is output. \n\nTRANS: "
     "Transmitter is active when trigger (IN0) is high. \n\nPARA: Sensor works with ParaSet0 when trigger "
     "(IN0) is low. \n      Sensor works with ParaSet1 when trigger (IN0) is high. \n\nLED TRIG is green "
     "when the sensor is triggered."},
    {"CBF_EditHold", "INFO!", "Select the hold time (minimum pulse length) of the digital outputs. "},
    {"CBF_EditGridHold", "INFO!", "Select the hold time (minimum pulse length) of the digital outputs. "},
    {"CBF_EditColorGroups", "INFO!", "Activate color groups. \nNot possible when EVALMODE=COL2."},
    {"CBF_EditResetHold", "INFO!", "Table Hold will be set to this value \nwhen Button RESET is pressed."},
    {"CBF_ButtonResetGroupTable", "INFO!", "Reset the GROUP TABLE. \nAll cells are set to 0."},
    {"CBF_ButtonResetHoldTable", "INFO!",
     "Reset the HOLD TABLE. \nAll cells are set the value \nin the Edit Box."},
    // Teach page (the grid itself shows CBF_GridCttHelp through its context menu)
    {"CBF_GridCttHelp", "INFO!",
     "Change cell value with a left double click or with F2. \n\nSelect a range of cells by holding down the "
     "left mouse button and dragging the mouse over the cells to select. \n\nSet selection to: Set the "
     "selection to an adjustable value. \nIncrement selection with: Selected cells will be incremented with "
     "an adjustable value beginning with the first cell. \nReset selection: Reset the selected range.\nTeach "
     "tolerance off: Tolerance will not be changed. \nTeach tolerance on: Tolerance will be set "
     "automatically to a default value."},
    {"CBF_EditNo", "INFO!", "Select the current number of a row in the TEACH TABLE for TEACH DATA TO."},
    {"CBF_RadioInc", "INFO!", "Auto increment of Edit Field No.:"},
    {"CBF_ButtonResetTable", "INFO!", "Reset the TEACH TABLE. \nAll cells are set to 1."},
    {"CBF_ButtonTeachDataTo", "INFO!",
     "Current measured values (X,Y,INT respectively s,i,M) are assigned \nto the TEACH TABLE row selected in "
     "the No.: function field."},
    // Record page
    {"CBF_ButtonSelRecFile", "INFO!", "Select a file for recording."},
    {"CBF_DispRecFile", "INFO!", "Displays the path of the record file."},
    {"CBF_ButtonStartRecord", "INFO!", "Start data record."},
    {"CBF_ButtonStopRecord", "INFO!", "Stop data record."},
    {"CBF_ButtonStartTrigRec", "INFO!", "Start data record."},
    {"CBF_ButtonManualRecord", "INFO!", "Record one frame manually \nand append to existing file. "},
    {"CBF_EditSelectDataRec", "INFO!", "Select the record mode."},
    {"CBF_EditInterval", "INFO!",
     "Choose a interval in secondes for recording. \nMinimum interval is 0,25 second."},
    {"CBF_EditRecVal", "INFO!", "Choose how many data frames should be recorded. "},
    {"CBF_DispRecordTime", "INFO!", "Displays how long the record will take."},
    {"CBF_DispRecordedValues", "INFO!", "Displays how many values are already recorded."},
    {"CBF_DispRemaining", "INFO!", "Displays how many values remain to be recorded."},
    // Calibration page
    {"CBF_ButtonSendCF", "INFO!",
     "Calibration factors for RED,GREEN and BLUE will be send to the EEPROM of the sensor."},
    {"CBF_ButtonGetCF", "INFO!", "Calibration factors for RED,GREEN and BLUE will be read from the sensor."},
    {"CBF_ButtonCalcCF", "INFO!", "Calculate the calibration factors for RED, GREEN and BLUE. "},
    {"CBF_ButtonStartSelfCalibration", "INFO!",
     " Sensor calculates the calibration factors for RED, GREEN and BLUE. "},
    {"CBF_EditCFR", "INFO!",
     "Edit Box for the calibration factor.\nDefault value is 1024. \nMinimum value is 0. \nMaximum value is "
     "4096."},
    {"CBF_EditCFG", "INFO!",
     "Edit Box for the calibration factor.\nDefault value is 1024. \nMinimum value is 0. \nMaximum value is "
     "4096."},
    {"CBF_EditCFB", "INFO!",
     "Edit Box for the calibration factor.\nDefault value is 1024. \nMinimum value is 0. \nMaximum value is "
     "4096."},
    {"CBF_EditSetValue", "INFO!", "Choose the setvalue for RED,GREEN and BLUE. "},
    {"CBF_EditMaxDelta", "INFO!", "Choose the maximum DELTA value of RED,GREEN and BLUE. "},
    {"CBF_DispBarsRAW", "INFO!", "Displays the RAW values of RED, GREEN and BLUE."},
    {"CBF_DispRawDelta", "INFO!",
     "Displays the delta of the raw values of RED, GREEN and BLUE. \nDelta is the peak to peak value of the "
     "lowest number of RED, GREEN or BLUE \nand the highest number of RED, GREEN or BLUE of the RAW-DATAS."},
    {"CBF_DispBars", "INFO!",
     "Displays the calibrated values of RED, GREEN and BLUE. \nFormula: CALIBRATED DATA = (RAW DATA * CF) / "
     "1024 "},
    // Table-attributes page (titled "Info" except the temperature display)
    {"CBF_DispTemp", "INFO!", "Displays actual temperature in the sensor."},
    {"CBF_EditSetColor", "Info",
     "Set mode for the row indicator colors. \n\nManually: Indicator colors can be set manually. "
     "\n\nAutomatically: Indicator colors will be set automatically, \naccording to the color detected from "
     "the sensor."},
    {"CBF_EditRow", "Info", "Select a row, which should be set."},
    {"CBF_EditColorNumericRow", "Info", "Select a indicator color."},
    {"CBF_ButtonSetRowColor", "Info", "Assign selected color to row."},
    {"CBF_ButtonSaveArray", "Info",
     "Indicator colors and row specifications \nwill be saved to a selectable file. \nAttention! The table "
     "attributes will be stored \nat the hard disk and NOT in the sensor."},
    {"CBF_ButtonGetArray", "Info",
     "Indicator colors and row specifications will be \nread from a selectable file from the hard disk \nand "
     "assigned to the teach table and specification table."},
    {"CBF_ButtonTableAttrReset", "Info", "Set default row colors."},
    // Offset page
    {"CBF_ButtonCloseOffsetCompensation", "INFO!", "Close PANEL and return to MAIN PANEL. "},
    {"CBF_ButtonSendOffset", "INFO!",
     "Offset values for RED,GREEN and BLUE will be send to the EEPROM of the sensor."},
    {"CBF_ButtonGetOffset", "INFO!", "Offset values for RED,GREEN and BLUE will be read from the sensor."},
    {"CBF_ButtonCalcOffset", "INFO!", "Detect the offset values for RED, GREEN and BLUE. "},
    {"CBF_EditOffsetRGB", "INFO!", "Edit Box for the offset values. "},
    // Scope page and scope graph panel
    {"CBF_ButtonGetCycleTime", "INFO!",
     "Get cycle time from sensor. \nDon't interrupt the sensor for 8 seconds \nthen press the button."},
    {"CBF_ButtonScan", "INFO!", "Start data recording and display the result in the graph."},
    {"CBF_ButtonBreakScan", "INFO!", "Break data recording."},
    {"CBF_ButtonPrintScopeGraph", "INFO!", "Print settings,scope graph and comment."},
    {"CBF_ButtonSaveScopePdf", "INFO!", "Save settings,scope graph and comment as a PDF file."},
    {"CBF_EditTriggerMode", "INFO!",
     "Select trigger mode! \nSINGLE SHOT: Data recording starts after pushing SCAN. \nRISING EDGE: Data "
     "recording starts when blue line goes higher than TRIGGER LEVEL. \nFALLING EDGE: Data recording starts "
     "when blue line goes lower than TRIGGER LEVEL. \nINTERNAL C-No.0: Data recording starts when color "
     "number 0 is detected. \nEXTERNAL IN0: Data recording starts when IN0 goes high."},
    {"CBF_EditScopeRecSignal", "INFO!", "Select the signal which should be recorded."},
    {"CBF_EditPreTrigVal", "INFO!", "Number of recorded values \nwhich are stored before trigger occured."},
    {"CBF_EditTriggerLevel", "INFO!", "Record starts when blue line passes TRIGGER LEVEL."},
    {"CBF_EditScanRate", "INFO!", "Record a value every SCAN RATE scan."},
    {"CBF_DispScanFreq", "INFO!",
     "Sensor scanfrequency. \nDon't interrupt the sensor for 8 seconds \nthen press the button."},
    {"CBF_ButtonCloseSP", "INFO!", "Close PANEL and return to MAIN PANEL. "},
    {"CBF_ButtonZoom11", "INFO!",
     "Zoom in: <Ctrl>+Left Mouse Button (drag to select).\nZoom out: Press ZOOM 1:1."},
    {"CBF_EditScopeSignal", "INFO!", "Select the signal which should be displayed."},
    {"CBF_GraphScope", "INFO!",
     "Displays record results.\nRed line is RED or X or s. \nGreen line is GREEN or Y or i. \nBlue line is "
     "BLUE or INT or M. \n\nUpdate display deltaX and deltaY by moving the cursors. \nZoom in: <Ctrl>+Left "
     "Mouse Button (drag to select).\nZoom out: Press ZOOM 1:1."},
    {"CBF_DispDeltaX", "INFO!",
     "Show delta X in [ms]. \nThe calculation is based on the cycle time shown\nin the display [ms] and the "
     "value of ScanRate."},
    {"CBF_DispDeltaY", "INFO!", "Show delta Y in [digit]."},
    // Data panel
    {"CBF_TabDataP1", "INFO!", "Select TAB-window."},
    {"CBF_DispX", "INFO!", "Displays the current value X respectively s."},
    {"CBF_DispY", "INFO!", "Displays the current value Y respectively i."},
    {"CBF_DispINT", "INFO!", "Displays the current intensity INT respectively M."},
    {"CBF_DispRGB", "INFO!", "Displays the current values of RED, GREEN and BLUE."},
    {"CBF_DispMinMaxRGB", "INFO!", "Displays the minimum and maximum values of RED, GREEN and BLUE."},
    {"CBF_DispDeltaC", "INFO!",
     "Displays the distance to a COLOR HIT. \nWhen no color is detected, delta C depends on the EVALUATION "
     "MODE as follows: \nFIRST HIT: delta C is the distance to the last enabled row in the TEACH TABLE. "
     "\nBEST HIT and MIN DIST: delta C is -1. \nWhen INT or M is lower than INTLIM, delta C is set to -1."},
    {"CBF_DispCOL", "INFO!",
     "Displays the current detected color number in \naccordance with the row in the TEACH TABLE. \nDouble "
     "click opens a big display. \nClose the big display with a right mouse click. \n\nFailure condition is "
     "255."},
    {"CBF_DispGroup", "INFO!",
     "Displays the current detected color group. \nDouble click opens a big display. \nClose the big display "
     "with a right mouse click.\n\nFailure condition is 255."},
    {"CBF_LedTrig", "INFO!",
     "Displays whether the sensor is triggered (LED=green) or not(LED=black). \nSensor is triggered, when "
     "IN0 is +24V or when the sensor self triggers (TRIGGER=SELF)."},
    {"CBF_DispRED", "INFO!", "Displays the current values of RED, GREEN and BLUE."},
    {"CBF_DispGREEN", "INFO!", "Displays the current values of RED, GREEN and BLUE."},
    {"CBF_DispBLUE", "INFO!", "Displays the current values of RED, GREEN and BLUE."},
    // Live graphs and graph panel
    {"CBF_GraphRGB", "INFO!",
     "Displays RED, GREEN, BLUE. \nLeft double click starts zooming. \nLeft click stops zooming."},
    {"CBF_GraphINT1", "INFO!",
     "Displays intensity INT. \nLeft double click starts zooming. \nLeft click stops zooming."},
    {"CBF_Graph2D", "INFO!",
     "Displays the taught colors and the current color point \nin the X/Y plane and on the intensity axis."},
    {"CBF_Graph3D", "INFO!",
     "Displays the taught colors and the current color point \nin the X/Y, X/INT and Y/INT planes."},
    {"CBF_ButtonShowGraph", "INFO!", "Shows the graph of the recorded values."},
    {"CBF_ButtonGpClose", "INFO!", "Close PANEL and return to MAIN PANEL. "},
    {"CBF_EditSignal", "INFO!", "Select the signal which should be displayed in the graph."},
    {"CBF_PanelGraphGraph", "INFO!", "Displays the recorded values of the selected signal."},
    // Mean-value teach panel
    {"CBF_ButtonTeachMeanVal", "INFO!", "Opens a panel to teach mean values. "},
    {"CBF_ButtonTP1Capture", "INFO!",
     "Get frame of R,G,B,X,Y,INT \nrespectively R,G,B,s,i,M \nand assign to table. "},
    {"CBF_ButtonTP1Undo", "INFO!", "Remove the last frame from table. "},
    {"CBF_ButtonTP1ResetTable", "INFO!", "Set all table cells to 0."},
    {"CBF_ButtonTP1Teach", "INFO!",
     "Mean values are assigned to the \nTEACH TABLE row selected \nin the ROW No.: function field."},
    {"CBF_GridTP1Values", "INFO!", "Table to list the captured values. "},
    {"CBF_GridTP1Mean", "INFO!", "Table to list the mean values. "},
    {"CBF_DispTP1Counter", "INFO!", "Displays the amount of captured frames. "},
    {"CBF_DispTP1MaxDeltaXY", "INFO!", "Displays the maximum distance to the mean values."},
    {"CBF_DispTP1MaxDeltaInt", "INFO!", "Displays the maximum intensity distance to mean value."},
    {"CBF_EditTP1TeachCtoWith", "INFO!",
     "Choose to which value the tolerance \nshould be set in the TEACH TABLE."},
    {"CBF_EditTP1TeachItoWith", "INFO!",
     "Choose to which value the tolerance \nshould be set in the TEACH TABLE."},
    {"CBF_EditTP1ValueCto", "INFO!", "Select CTO respectively siTO respectively TOL. "},
    {"CBF_EditTP1ValueIto", "INFO!", "Select ITO respectively MTO. "},
    {"CBF_ButtonCloseTeachPanel", "INFO!", "Close PANEL and return to MAIN PANEL. "},
    // Recorded-value teach panel
    {"CBF_ButtonTeachRecVal", "INFO!", "Opens a panel to teach, with help \nfrom a graph, recorded values. "},
    {"CBF_ButtonTP2Start", "INFO!", "Start recording of values \nand displaying in the graphs."},
    {"CBF_ButtonTP2Reset", "INFO!", "Reset graphs and counter."},
    {"CBF_ButtonTP2Teach", "INFO!",
     "Teach cursor position to the \nTEACH TABLE row selected \nin the ROW No.: function field."},
    {"CBF_GraphXYTP2", "INFO!",
     "Display for recorded values. \nMove cursor to select a position \nwhich should be teached to the "
     "table."},
    {"CBF_GraphXIntTP2", "INFO!",
     "Display for recorded values. \nMove cursor to select a position \nwhich should be teached to the "
     "table."},
    {"CBF_GraphYIntTP2", "INFO!",
     "Display for recorded values. \nMove cursor to select a position \nwhich should be teached to the "
     "table."},
    {"CBF_DispTP2Counter", "INFO!", "Displays the amount of recorded values. "},
};

}  // namespace

const HelpEntry* HelpEntries() {
  return kEntries;
}

std::size_t HelpEntryCount() {
  return sizeof(kEntries) / sizeof(kEntries[0]);
}

const HelpEntry* FindHelp(const QString& callback) {
  static const QHash<QString, const HelpEntry*> index = [] {
    QHash<QString, const HelpEntry*> h;
    for (const HelpEntry& e : kEntries) h.insert(QString::fromLatin1(e.callback), &e);
    return h;
  }();
  return index.value(callback, nullptr);
}

}  // namespace trivolux
