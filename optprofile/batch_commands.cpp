// "mavrolin profile LOG -o IMAGE [--size WxH] [--step N] [--save-step N]": scans the log
// as "Open Log/Out File (Opt,Freq)" does, opens the profile window with a paint box of the
// given size, selects a step and writes the drawing as a picture.
#include <cctype>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/batch.h"
#include "core/errors.h"
#include "core/number_text.h"

namespace mavrolin {

namespace {

struct BoxSize {
    int width = 1200, height = 800;
};

// Largest side the picture writer takes.
constexpr long long kMaxSide = 16384;

// "WxH" with both sides between 100 and kMaxSide pixels.
bool ParseSize(const std::string& text, BoxSize& size) {
    auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    long long w = 0, h = 0;
    if (!core::TryParseInt(text.substr(0, x), w) || !core::TryParseInt(text.substr(x + 1), h)) return false;
    if (w < 100 || h < 100 || w > kMaxSide || h > kMaxSide) return false;
    size = {static_cast<int>(w), static_cast<int>(h)};
    return true;
}

// The picture formats the writer knows, by extension in any case.
bool IsPictureName(const std::string& path) {
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
    std::string ext = path.substr(dot);
    for (auto& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ext == ".png" || ext == ".svg" || ext == ".pdf";
}

struct ProfileOptions {
    std::string size = "1200x800";
    int step = 0, saveStep = 0;
};

// Scans the log, opens the profile window at the asked size, selects the step and
// writes the picture.
void DrawProfile(BatchSession& session, const FileArgs& a, const ProfileOptions& o) {
    BoxSize box;
    if (!ParseSize(o.size, box))
        throw CLI::ValidationError("--size", "expected WxH with sides from 100 to 16384, for example 1200x800");
    if (!IsPictureName(a.output))
        throw CLI::ValidationError("-o", "the picture name must end in .png, .svg or .pdf");
    const std::string& image = a.output;
    auto& app = session.App();
    auto& form = app.form2;

    if (!session.Open(a.input, [&app] {
            if (!app.form1.OpenLOG1.Click()) throw core::InputError("The log scan is not available in this build.");
        }))
        return;
    if (!session.Run([&app] { app.form1.SCFEnergies1Click(); })) return;
    // Energies without convergence tables (a frequency or single-point job run twice)
    // have no steps to draw or save.
    if (app.log.nforce == 0) return session.Fail("no optimisation steps in " + a.input);

    const int ndone = app.log.ndone;
    for (int s : {o.step, o.saveStep})
        if (s != 0 && (s < 1 || s > ndone))
            return session.Fail("step " + std::to_string(s) + " is outside 1.." + std::to_string(ndone));

    // The paint box takes the client area less 65 pixels for the controls below it.
    form.SetBounds(form.Left(), form.Top(), box.width + form.FrameWidth(), box.height + 65 + form.FrameHeight());
    if (o.saveStep != 0) {
        form.SpinEdit1.SetValue(o.saveStep);
        if (!session.Run([&form] { form.Button1Click(); })) return;
    }
    form.SpinEdit1.SetValue(o.step != 0 ? o.step : ndone / 2);
    session.Run([&form, &app, box, image] {
        form.Button2Click();
        app.platform.SavePicture(form.PaintBox1.Canvas(), box.width, box.height, image);
    });
}

}  // namespace

void RegisterProfileCommands(CLI::App& cli, BatchSession& session) {
    auto o = std::make_shared<ProfileOptions>();
    auto* cmd = AddFileCommand(
        cli, session,
        {"profile",
         "Picture of how an optimisation converged (SCF energies, forces, displacements, predicted energy change)",
         "LOG", "Gaussian optimisation output (.log, .out)", "picture to write; .png, .svg or .pdf"},
        [o, &session](const FileArgs& a) { DrawProfile(session, a, *o); });
    cmd->get_option("-o")->required();
    cmd->add_option("--size", o->size, "paint-box size in pixels, WxH (default 1200x800)");
    cmd->add_option("--step", o->step, "SCF step marked by the green line (default: half the step count)");
    cmd->add_option("--save-step", o->saveStep, "also write the orientation of this step as LOG_opt_N.abc");
}

}  // namespace mavrolin
