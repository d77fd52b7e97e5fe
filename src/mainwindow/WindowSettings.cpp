#include "mainwindow/WindowSettings.h"

#include "app/clsReg.h"

namespace movrand::mainwindow {

namespace {
clsReg MovrandSection(ProgramValues& pv) {
    clsReg reg(pv.Env.Settings);
    reg.AppName("Zorvex");
    reg.Section("Movrand");
    return reg;
}

std::string Read(clsReg& reg, const std::string& key) {
    reg.Key(key);
    reg.RegGet();
    return reg.Setting();
}
}  // namespace

WindowSettings ReadWindowSettings(ProgramValues& pv) {
    clsReg reg = MovrandSection(pv);
    WindowSettings settings;
    const std::string addOnsOnly = Read(reg, "AddOnsOnly");
    if (addOnsOnly.empty()) {
        reg.Setting("1");
        reg.RegSave();
        settings.AddOnsOnly = true;
    } else {
        settings.AddOnsOnly = addOnsOnly == "1";
    }
    settings.CarManagerDirectory = Read(reg, "CarManagerDirectory");
    settings.CarFolder = Read(reg, "CarFolder");
    settings.AddOnCarFolder = Read(reg, "AddOnCarFolder");
    return settings;
}

void SaveWindowSettings(ProgramValues& pv, const WindowSettings& settings) {
    clsReg reg = MovrandSection(pv);
    auto save = [&reg](const std::string& key, const std::string& value) {
        reg.Key(key);
        reg.Setting(value);
        reg.RegSave();
    };
    save("AddOnsOnly", settings.AddOnsOnly ? "1" : "0");
    save("CarManagerDirectory", settings.CarManagerDirectory);
    save("CarFolder", settings.CarFolder);
    save("AddOnCarFolder", settings.AddOnCarFolder);
}

}  // namespace movrand::mainwindow
