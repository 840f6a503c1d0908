#include "preview/RuffleHostPage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

namespace {

// A JSON text is a valid JavaScript literal once the two line separators
// that JSON leaves raw are escaped.
QString scriptLiteral(const QJsonValue &value)
{
    QString text = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
    text = text.mid(1, text.size() - 2); // unwrap the one-element array
    text.replace(QChar(0x2028), QLatin1String("\\u2028"));
    text.replace(QChar(0x2029), QLatin1String("\\u2029"));
    // "</script>" inside a literal would end the page's script element.
    text.replace(QLatin1String("</"), QLatin1String("<\\/"));
    return text;
}

QString folderUrl(const QString &folder)
{
    QString url = QUrl::fromLocalFile(folder).toString(QUrl::FullyEncoded);
    if (!url.endsWith(QLatin1Char('/')))
        url += QLatin1Char('/');
    return url;
}

const char PageTemplate[] = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8">
<style>
html, body { margin: 0; padding: 0; width: 100%; height: 100%; overflow: hidden; background: transparent; }
ruffle-player { display: block; width: 100%; height: 100%; }
</style>
<script>
// The player's menu speaks the editor's language, English; that also makes
// its entries known by their texts.
Object.defineProperty(navigator, "languages", { get: () => ["en-US"] });
Object.defineProperty(navigator, "language", { get: () => "en-US" });
window.RufflePlayer = { config: %1 };
</script>
<script src="%2"></script>
</head><body>
<script>
// One load at a time: Ruffle builds a player asynchronously, and a load
// started while another is still building could leave the older movie on
// show. Requests that come meanwhile collapse into the latest.
let player = null;
let pending = null;
let running = false;
// The player's own menu keeps the movie's entries and the player's local
// ones; entries that open a web page, download a file or pick one are taken
// out before the menu is drawn.
const leavingEntries = [/^About Ruffle/, /^Download SWF$/, /^Open Save Manager$/];
function pruneMenu(menu) {
    for (const item of Array.from(menu.querySelectorAll("li.menu-item"))) {
        if (leavingEntries.some(entry => entry.test(item.dataset.text || "")))
            item.remove();
    }
    let afterSeparator = true;
    for (const item of Array.from(menu.children)) {
        const separator = item.classList.contains("menu-separator");
        if (separator && afterSeparator)
            item.remove();
        else
            afterSeparator = separator;
    }
    const last = menu.lastElementChild;
    if (last && last.classList.contains("menu-separator"))
        last.remove();
}
function newPlayer() {
    const created = window.RufflePlayer.newest().createPlayer();
    document.body.appendChild(created);
    const menu = created.shadowRoot && created.shadowRoot.getElementById("context-menu");
    if (menu)
        new MutationObserver(() => pruneMenu(menu)).observe(menu, { childList: true });
    return created;
}
async function runRequests() {
    running = true;
    while (pending) {
        const request = pending;
        pending = null;
        if (request.clear) {
            if (player)
                player.remove();
            player = null;
            continue;
        }
        if (!player)
            player = newPlayer();
        try {
            await player.ruffle().load(request.options);
        } catch (e) {
            console.error(e);
        }
    }
    running = false;
}
function request(next) {
    pending = next;
    if (!running)
        runRequests();
}
window.trevixLoad = (url, parameters, base, fontSources) =>
    request({ options: { url, parameters, base, fontSources } });
window.trevixClear = () => request({ clear: true });
</script>
</body></html>
)";

} // namespace

RuffleHostPage::RuffleHostPage(const QString &ruffleFolder, const FlashSettings &settings, const QString &sansFamily)
    : m_ruffleFolder(ruffleFolder), m_settings(settings), m_sansFamily(sansFamily)
{
}

QJsonObject RuffleHostPage::config() const
{
    QJsonObject c{
        {QStringLiteral("publicPath"), folderUrl(m_ruffleFolder)},
        // The preview is a picture of the chart, not a web page: no splash,
        // overlays, letterbox bars or links out of the page. The right mouse
        // button brings up the player's menu, as it did in the Flash player.
        {QStringLiteral("splashScreen"), false},
        {QStringLiteral("unmuteOverlay"), QStringLiteral("hidden")},
        {QStringLiteral("contextMenu"), QStringLiteral("on")},
        {QStringLiteral("letterbox"), QStringLiteral("off")},
        {QStringLiteral("warnOnUnsupportedContent"), false},
        {QStringLiteral("showSwfDownload"), false},
        {QStringLiteral("openUrlMode"), QStringLiteral("deny")},
        {QStringLiteral("upgradeToHttps"), false},
        {QStringLiteral("logLevel"), QStringLiteral("error")},
        // Canvas drawing works with and without a GPU or a display.
        {QStringLiteral("preferredRenderer"), QStringLiteral("canvas")},
        {QStringLiteral("autoplay"), m_settings.Playing ? QStringLiteral("on") : QStringLiteral("off")},
        {QStringLiteral("menu"), m_settings.Menu},
        {QStringLiteral("quality"), m_settings.Quality2.toLower()},
        {QStringLiteral("scale"), m_settings.Scale.toLower()},
        {QStringLiteral("salign"), m_settings.SAlign},
        {QStringLiteral("wmode"), m_settings.WMode.toLower()},
        {QStringLiteral("allowScriptAccess"), m_settings.AllowScriptAccess.compare(QLatin1String("always"), Qt::CaseInsensitive) == 0},
        {QStringLiteral("allowNetworking"), m_settings.AllowNetworking.toLower()},
        {QStringLiteral("allowFullscreen"), m_settings.AllowFullScreen.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0},
    };
    if (!m_sansFamily.isEmpty())
        c.insert(QStringLiteral("defaultFonts"), QJsonObject{{QStringLiteral("sans"), QJsonArray{m_sansFamily}}});
    if (!m_settings.BGColor.isEmpty())
        c.insert(QStringLiteral("backgroundColor"), m_settings.BGColor);
    return c;
}

QString RuffleHostPage::html() const
{
    const QString script = QUrl::fromLocalFile(m_ruffleFolder + QStringLiteral("/ruffle.js")).toString(QUrl::FullyEncoded);
    return QString::fromLatin1(PageTemplate).arg(scriptLiteral(config()), script.toHtmlEscaped());
}

QString RuffleHostPage::loadScript(const QString &movieFile, const QString &flashVars, const QString &baseFolder,
                                   const QStringList &fontFiles)
{
    QJsonArray fonts;
    for (const QString &file : fontFiles)
        fonts.append(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded));
    return QStringLiteral("trevixLoad(%1, %2, %3, %4);")
        .arg(scriptLiteral(QUrl::fromLocalFile(movieFile).toString(QUrl::FullyEncoded)), scriptLiteral(flashVars),
             scriptLiteral(folderUrl(baseFolder)), scriptLiteral(fonts));
}

QString RuffleHostPage::clearScript()
{
    return QStringLiteral("trevixClear();");
}
