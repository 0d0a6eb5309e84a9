#include "app/LanguageTables.h"

#include "app/LangKey.h"

namespace app {

std::string_view LanguageText::Fallback(Language language) const {
  return language == Language::Chinese ? chinese : english;
}

const std::vector<LanguageText>& LanguageTexts() {
  static const std::vector<LanguageText> texts = {
      // page tabs, connection and settings panels
      {"TabAbout", {"tabLabel1"}, "关于", "About"},
      {"TabFirmware", {"tabLabel8"}, "固件更新", "Firmware Upgrade"},
      {"TabData", {"tabLabel9"}, "数据记录", "Data Recorder"},
      // the data recorder page
      {"RecorderTable", {"TabItem1"}, "数据", "Table"},
      {"RecorderChart", {"TabItem2"}, "图表", "Chart"},
      {"RecorderRpm", {"StringColumn2"}, "转速", "RPM"},
      {"RecorderVoltage", {"StringColumn3"}, "电压", "Voltage"},
      {"RecorderCurrent", {"StringColumn4"}, "电流", "Current"},
      {"RecorderAverage", {"StringColumn6"}, "平均值", "Average"},
      {"RecorderMaximum", {"StringColumn7"}, "最大值", "Maximum"},
      {"RecorderMinimum", {"StringColumn8"}, "最小值", "Minimum"},
      {"RecorderStart", {"btnStart"}, "开始", "Start"},
      {"RecorderLoad", {"btnLoad"}, "载入", "Load"},
      {"RecorderPrint", {"btnPrint"}, "打印", "Print"},
      {"RecorderSave", {"btnSave"}, "保存", "Save"},
      {"TabCale", {"tabLabel10"}, "速度计算", "Speed Calculator"},
      {"StateGroup", {"GroupBox1"}, "连接状态", "Connection State"},
      {"Esc", {"Label1"}, "电调", "ESC"},
      {"Busy", {"Label2"}, "工作指示", "Busy"},
      {"SettingGroup", {"GroupBox2"}, "设置电调", "Setting To ESC"},
      {"Update", {"btnUpdate"}, "参数写入电调", "Write ESC"},
      {"Default", {"btnDefault"}, "恢复出厂设置", "Default"},
      {"UpdateHelp", {"Label9"}, "参数写入电调", "Write ESC"},
      {"DefaultHelp", {"Label10"}, "恢复出厂设置", "Default"},
      // firmware pages and the progress caption
      {"Upgrade", {"btnUpgrade", "btnUpgrade2"}, "升级", "Upgrade"},
      {"Version", {"lVersion", "lbVersion"}, "数据库版本", "Database Version"},
      {"Info", {"Label3", "lbLabel3"}, "状态信息", "Info"},
      {"Controller", {"Label4", "lbLabel4"}, "连接器件类型", "Controller"},
      {"Hardware", {"Label5", "lbLabel5"}, "硬件版本", "Hardware Version"},
      {"Firmware", {"Label6", "lbLabel6"}, "固件版本", "Firmware Version"},
      {"UpgradeFirmware", {"Label7", "lbLabel7"}, "可升级固件", "Firmware Upgrade"},
      {"Process", {"Label8"}, "处理中，请稍候...", "Progress Status:Please Waiting..."},
      // the link adapter's channel page
      {"Color", {"lbColor"}, "颜色", "Color"},
      {"Rotation", {"lbRotation"}, "转向", "Rotation"},
      {"CW", {"rbCW"}, "正转", "CW"},
      {"CCW", {"rbCCW"}, "反转", "CCW"},
      {"Red", {"cbRed"}, "红", "Red"},
      {"Blue", {"cbBlue"}, "蓝", "Blue"},
      {"Green", {"cbGreen"}, "绿", "Green"},
      {"StartScan", {"btnScan"}, "扫描", "Scan"},
      // menus
      {"File", {"File1"}, "文件(&F)", "&File"},
      {"File_menu_english", {"English1"}, "&English", "&English"},
      {"File_menu_chinese", {"Chinese1"}, "Simplified Chinese(&C)", "Simplified Chinese(&C)"},
      {"File_menu_export", {"Export1"}, "输出设置参数表", "Export Setting"},
      {"File_menu_import", {"Import1"}, "导入设置参数表", "Import Setting"},
      {"File_menu_print", {"Print1"}, "打印设置参数表", "Print Setting"},
      {"File_menu_style", {"Style1"}, "界面风格", "Style"},
      {"File_menu_version", {"Version1"}, "支持版本", "Suppor Version"},
      {"File_menu_demo", {"Demo1"}, "演示", "Demo"},
      {"File_menu_exit", {"Exit1"}, "退出系统(&X)", "E&xit"},
      {"Device", {"Device1"}, "器件(&D)", "&Device"},
      {"Device_menu_esc", {"ESCSpeedController1"}, "电调", "ESC Speed Controller"},
      {"Device_menu_motor", {"MotorChecker1"}, "无刷分析仪", "Motor Checker"},
      {"Device_menu_lcd", {"LCDProgramCard1"}, "2合1设定盒", "LCD Program Card"},
      {"Help", {"Help1"}, "帮助(&H)", "&Help"},
      {"Help_menu_help", {"Help2"}, "帮助(&H)...", "&Help..."},
      {"Help_menu_about", {"About1"}, "关于(&A)...", "&About..."},
      {"Help_menu_history", {"History1"}, "更新历史(&R)...", "&Revision History..."},
      {"Help_menu_update", {"Update1"}, "更新(&U)...", "&Update..."},
      {"Help_menu_dbupdate", {"DBUpdate"}, "数据库更新(&D)...", "&Database Update..."},
      // governor calculator
      {"Desired_head_speed", {"calcLabel1"}, "期望大桨转速", "Desired Head Speed"},
      {"Teeth_of_main_gear", {"calcLabel2"}, "主齿盘", "Teeth of Main Gear"},
      {"Teeth_of_pinion", {"calcLabel3"}, "马达主齿", "Teeth of Pinion"},
      {"Magnetic_poles", {"calcLabel4"}, "马达极对数", "Magnetic Poles"},
      {"Kv_of_motor", {"calcLabel5"}, "马达KV", "KV of Motor"},
      {"Number_of_cells", {"calcLabel6"}, "电池节数", "Number of cells"},
      {"Battery_type_for_voltage_cell",
       {"calcLabel7"},
       "单节电压 (正常电压/最大电压/最小电压)",
       "Battery Type for Voltage/cell (Normal/Max/Min)"},
      {"Battery_voltage", {"calcLabel10"}, "电池电压 (正常电压/最大电压/最小电压)", "Battery Voltage (Normal/Max/Min)"},
      {"Head_remainder_enough",
       {"calcLabel13"},
       "对应的大桨转速 (正常电压/最大电压/最小电压)",
       "Head Speed Remainder Enough? (Normal/Max/Min)"},
      {"Should_set_governor_area", {"calcTextBox16.TextLabel"}, "查图对应定速范围", "Should Set Governor Area"},
      {"Should_set_throttle_value", {"calcTextBox17.TextLabel"}, "查图对应油门点", "Should Set Throttle Value"},
      {"Warning",
       {"calcLabel16"},
       "警告！因算法存在差异，本程序仅适用于Valtorine生产的Corvanel系列空模电子调速器，不可适用于其他品牌。",
       "Warning! This calculator is ONLY available for VALTORINE Corvanel series ESC. The misuse with other brands "
       "ESCs may cause unpredictable effect."},
      // captions the lists above leave out, so that no caption stays in
      // the other language
      {"Welcome", {"lblWelcome"}, "请通过适配器连接电调。", "Connect a speed controller through its adapter."},
      {"GovernorGroup", {"GroupBox3"}, "定速计算", "Governor"},
      {"RotorGroup", {"GroupBox5"}, "主旋翼转速", "Rotor Speed"},
      {"ChannelGroup", {"gbChannel"}, "通道", "Channels"},
  };
  return texts;
}

std::vector<SharedText> LinkAdapterCaptions() {
  const char* fallbacks[] = {"PORTAVEX", "PORTAVEX UART->ESC", "PORTAVEX CAN", "PORTAVEX CAN->ESC",
                             "PORTAVEX ESC Param"};
  std::vector<SharedText> captions;
  for (int n = 1; n <= 5; ++n) {
    const std::string name = "PORTAVEX" + std::to_string(n);
    captions.push_back({name, name, fallbacks[n - 1]});
  }
  return captions;
}

std::vector<SharedText> SharedTexts() {
  std::vector<SharedText> texts = {
      {"ThrottleAmount", "lblTH", "油门值"},     {"MbRPM", "lblRPM", "主旋翼转速"},
      {"MotorPoles", "lblPoles", "电机磁极数"},  {"MainDriveGear", "lblZC", "主齿数"},
      {"DriveGearRatio", "rbCB", "齿轮比"},      {"RequiredRPM", "lblReRPM", "需求转速"},
      {"RequiredTH", "lblReTH", "需求设置油门值"}, {"MotorDriveGear", "rbDJC", "电机齿齿数"},
      {"SettingDGR", "gbSelect", "齿轮比设置"},  {"ReadChannel", "btnRead", "读取通道"},
      {"WriteChannel", "btnWrite", "写入通道"},
  };
  for (const char* box : {"cbChannel", "rbChannel"})
    for (int n = 1; n <= 8; ++n)
      texts.push_back({"Channel" + std::to_string(n), box + std::to_string(n), "Channel " + std::to_string(n)});
  texts.push_back({"Basic", "tabLabel11", "Basic"});
  return texts;
}

std::string MonthDayYear(std::string_view date) {
  const std::string_view year = date.substr(0, 4);
  const std::size_t dash = date.find('-');
  const std::string_view monthDay = date.substr(dash == std::string_view::npos ? 0 : dash + 1, 5);
  std::string text(monthDay);
  text += '-';
  text += year;
  return text;
}

std::string TitleLine(Language language, std::string_view title, std::string_view softwareVersion,
                      std::string_view databaseVersion) {
  std::string line(title);
  line += ' ';
  line += softwareVersion;
  line += "      Database: ";
  if (language == Language::Chinese) return line += databaseVersion;
  line += MonthDayYear(databaseVersion);
  return line += "(MM-DD-YY)";
}

}  // namespace app
