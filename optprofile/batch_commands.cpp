// "mavrolin profile LOG -o IMAGE [--size WxH] [--step N] [--save-step N]": scans the log
// as "Open Log/Out File (Opt,Freq)" does, opens the profile window with a paint box of the
// given size, selects a step and writes the drawing as a picture.
#include <cctype>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/batch.h"
#include "app/figure_export.h"
#include "core/errors.h"
#include "optprofile/profile_figure.h"

namespace mavrolin {

namespace {

struct ProfileOptions {
    std::string size = "1200x800";
    int step = 0, saveStep = 0;
    FigureOptions figure;
};

// Scans the log, opens the profile window at the asked size, selects the step and
// writes the picture.
void DrawProfile(BatchSession& session, const FileArgs& a, const ProfileOptions& o) {
    const PictureSize box = ParsePictureSize(o.size);
    if (a.output.empty() && !o.figure.Wanted())
        throw CLI::ValidationError("-o", "a picture to write is needed (or --figure, --csv)");
    if (!a.output.empty()) RequirePictureName(a.output, "-o");
    if (o.figure.Wanted()) FigureStyle(o.figure);
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
    if (o.figure.Wanted() && !WriteFigureFiles(session, optprofile::ProfileFigure(app.log, o.figure.title), o.figure))
        return;
    if (image.empty()) return;
    form.SpinEdit1.SetValue(o.step != 0 ? o.step : ndone / 2);
    session.Run([&form, &app, box, image] {
        ui::RefuseFileInUse(image, app.FilesInUse());
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
    cmd->add_option("--size", o->size, "paint-box size in pixels, WxH (default 1200x800)");
    cmd->add_option("--step", o->step, "SCF step marked by the green line (default: half the step count)");
    cmd->add_option("--save-step", o->saveStep, "also write the orientation of this step as LOG_opt_N.abc");
    AddFigureOptions(cmd, o->figure);
}

}  // namespace mavrolin
