#include "preview/RuffleHostPage.h"

#include "preview/PickReport.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

namespace {

// A JSON text is a valid JavaScript literal once the two line separators
// that JSON leaves raw are escaped.
QString scriptLiteral(const QJsonValue &value)
{
    QString text = QString::fromUtf8(
            QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
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

// The page allows scripts from local files (the interceptor lets only the
// allowed folders through) and its own two inline scripts, by their hashes:
// no other script runs in it, nor does any form, frame or worker.
const char PagePolicy[]
        = "default-src 'none'; script-src file: %1 'wasm-unsafe-eval'; "
          "connect-src file: data: blob:; img-src file: data: blob:; media-src file: data: blob:; "
          "font-src file: data: blob:; style-src 'unsafe-inline'; frame-src 'none'; worker-src "
          "'none'; "
          "form-action 'none'; base-uri 'none'";

const char PageTemplate[] = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="%1">
<style>
html, body { margin: 0; padding: 0; width: 100%; height: 100%; overflow: hidden; background: transparent; }
ruffle-player { display: block; position: absolute; left: 0; top: 0; width: 100%; height: 100%; }
</style>
<script>%2</script>
<script src="%3"></script>
</head><body>
<script>%4</script>
</body></html>
)";

// The player's menu speaks the editor's language, English; that also makes
// its entries known by their texts. A chart takes no gamepad: once a page has
// asked for them, the engine polls the devices 60 times a second for as long
// as the page is shown, so the player is told there are none.
const char ConfigScript[] = R"(
Object.defineProperty(navigator, "languages", { get: () => ["en-US"] });
Object.defineProperty(navigator, "language", { get: () => "en-US" });
Object.defineProperty(navigator, "getGamepads", { value: () => [] });
window.RufflePlayer = { config: %1 };
)";

const char HostScript[] = R"(
// Each movie plays in a new player put beneath the one on show, which stays
// until the new movie has drawn its first frame: a reload never shows the
// empty page between two frames. One load at a time: Ruffle builds a player
// asynchronously, and requests that come meanwhile collapse into the latest,
// which also replaces a player still waiting to be shown.
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

// While the editor picks, a movie may report the style keys of what was
// clicked, with the fscommand "%1": the one message the page passes on, to
// the editor's console, and only in this strict shape. Nothing else the movie
// sends goes anywhere; script it names is never run (the page's policy
// allows no eval).
const report = console.info.bind(console);
const pickedKeys = /^(?:%2)$/;
function picked(command, keys) {
    if (command === "%1" && typeof keys === "string" && pickedKeys.test(keys))
        report("%3" + keys);
}

// The players in the page and what the page keeps of each: the listeners
// Ruffle gave the page for it, Ruffle's own handler of the page's visibility,
// whether the player rests and the host's number of its load.
const players = new Map();
let onShow = null;

// A new player, beneath those on show. Ruffle's player listens to the page
// itself (its visibility, the pointer anywhere in it) and never stops, which
// would keep every player the page ever had alive: the page notes those
// listeners and takes them away with the player (see dismiss). The
// visibility handler it keeps to call itself (see tellHidden).
function newPlayer(picking, load) {
    const state = { listeners: [], visibility: null, resting: false, load };
    const targets = [document, document.documentElement];
    for (const target of targets) {
        target.addEventListener = function (type, listener, options) {
            if (this === document && type === "visibilitychange" && !state.visibility) {
                state.visibility = listener;
                return;
            }
            EventTarget.prototype.addEventListener.call(this, type, listener, options);
            state.listeners.push({ target: this, type, listener, options });
        };
    }
    let created;
    try {
        created = window.RufflePlayer.newest().createPlayer();
    } finally {
        for (const target of targets)
            delete target.addEventListener;
    }
    players.set(created, state);
    if (picking)
        created.onFSCommand = picked;
    document.body.insertBefore(created, document.body.firstChild);
    const menu = created.shadowRoot && created.shadowRoot.getElementById("context-menu");
    if (menu)
        new MutationObserver(() => pruneMenu(menu)).observe(menu, { childList: true });
    return created;
}

// Ruffle gives up a player's animation loop only while the page is hidden:
// its handler is told so to end the loop, and told the page shows again to
// bring the loop back.
function tellHidden(player, hidden) {
    const visibility = players.get(player).visibility;
    if (!visibility)
        return;
    Object.defineProperty(document, "hidden", { configurable: true, get: () => hidden });
    try {
        visibility();
    } finally {
        delete document.hidden;
    }
}

// A resting player keeps its last frame and asks for no more: its movie
// stops and its animation loop ends. Ruffle puts its play button over a
// stopped player; the page wakes the player itself.
function rest(player) {
    const state = players.get(player);
    if (!state || state.resting)
        return;
    state.resting = true;
    if (watched === player)
        watched = null;
    player.ruffle().suspend();
    const button = player.shadowRoot && player.shadowRoot.getElementById("play-button");
    if (button)
        button.style.display = "none";
    tellHidden(player, true);
}

function wake(player) {
    const state = players.get(player);
    if (!state || !state.resting)
        return;
    state.resting = false;
    tellHidden(player, false);
    player.ruffle().resume();
}

// The player on show rests once its movie's picture has stayed the same
// for a second and for three of the movie's own frames: a movie that
// animates keeps playing, one that has drawn its chart stops asking for
// frames. A picture that cannot be read back never rests.
let watched = null;
let stillSince = 0;
async function watch(player) {
    stillSince = performance.now();
    if (watched === player)
        return;
    watched = player;
    let last = null;
    while (watched === player) {
        await nextFrame();
        if (watched !== player)
            return;
        const now = picture(player);
        if (!now || !last || now.length !== last.length || now.some((pixel, i) => pixel !== last[i]))
            stillSince = performance.now();
        last = now;
        const rate = (player.metadata && player.metadata.frameRate) || 60;
        if (performance.now() - stillSince >= Math.max(1000, 3000 / rate)) {
            const state = players.get(player);
            rest(player);
            // What the player shows now is its movie's settled picture.
            if (state)
                report("%6" + state.load);
        }
    }
}

// Anything that may change the picture wakes the player on show: the
// pointer over the movie, a click, the wheel, a key, its menu. While the
// next movie is built the one on show stays held.
function stir() {
    if (onShow && !running) {
        wake(onShow);
        watch(onShow);
    }
}
for (const type of ["pointerover", "pointermove", "pointerdown", "pointerup", "pointerout", "wheel", "keydown",
                    "keyup", "contextmenu", "focusin"])
    window.addEventListener(type, stir, { capture: true, passive: true });
// A hidden page shows nothing: the player on show rests until it is seen again.
document.addEventListener("visibilitychange", () => {
    if (document.hidden) {
        if (onShow)
            rest(onShow);
    } else {
        stir();
    }
});

function nextFrame() {
    return new Promise(resolve => requestAnimationFrame(resolve));
}

// Why a player is given up before it is shown: a newer request came, or
// Ruffle could not play the file (it shows its own error panel then, which
// the page never shows).
const superseded = "superseded";
const unplayable = "unplayable";
function checkPlayable(player) {
    if (pending)
        throw superseded;
    if (player.shadowRoot && player.shadowRoot.getElementById("panic"))
        throw unplayable;
}

// However long the movie takes to load: a busy machine is no reason to show less.
async function loaded(player) {
    while (player.readyState !== 2) {
        checkPlayable(player);
        await nextFrame();
    }
}

// The pixels of the player's stage; none before it has a canvas, and none
// for a canvas drawn by WebGL, which cannot be read back here.
function picture(player) {
    const canvas = player.shadowRoot && player.shadowRoot.querySelector("canvas");
    const context = canvas && canvas.width && canvas.height && canvas.getContext("2d");
    return context ? new Uint32Array(context.getImageData(0, 0, canvas.width, canvas.height).data.buffer) : null;
}

// Whether the player's stage shows more than one colour: a movie's first
// frames show its bare background until it has read its data and drawn on
// it. For a canvas drawn by WebGL the frames waited for before asking count.
function drawn(player) {
    const canvas = player.shadowRoot && player.shadowRoot.querySelector("canvas");
    if (!canvas || !canvas.width || !canvas.height)
        return false;
    const pixels = picture(player);
    return !pixels || pixels.some(pixel => pixel !== pixels[0]);
}

// Resolves once the player has drawn its movie. A movie that has loaded and
// still shows a single colour (the blank movie does) is shown as it is once
// it has had a few seconds of its own frames: the page counts the animation
// frames, which drive the player, against the movie's frame rate, and the
// clock as well. A busy machine gives fewer frames and so waits longer.
const blankSeconds = 3;
async function firstFrame(player) {
    await loaded(player);
    const metadata = player.ruffle().metadata;
    const rate = Math.min(60, metadata && metadata.frameRate > 0 ? metadata.frameRate : 60);
    const start = performance.now();
    for (let frames = 0; frames < rate * blankSeconds || performance.now() - start < blankSeconds * 1000; ++frames) {
        await nextFrame();
        checkPlayable(player);
        if (drawn(player))
            return;
    }
}

// Taken off the page, Ruffle destroys a player (its instance, canvas and
// loop); the page keeps nothing of it.
function dismiss(player) {
    document.body.removeChild(player);
    const state = players.get(player);
    if (state) {
        for (const { target, type, listener, options } of state.listeners)
            target.removeEventListener(type, listener, options);
        players.delete(player);
    }
}

// The player goes on show, the others go.
function show(player) {
    // A movie can give its player element properties of its own: the page
    // calls none of them.
    for (const other of Array.from(document.body.querySelectorAll("ruffle-player"))) {
        if (other !== player)
            dismiss(other);
    }
    onShow = player;
    if (player)
        watch(player);
}

async function runRequests() {
    running = true;
    while (pending) {
        const request = pending;
        pending = null;
        if (request.clear) {
            show(null);
            continue;
        }
        // The player on show rests while the next one is built: its last
        // frame stays, and the new movie has the page's time to itself.
        for (const other of players.keys())
            rest(other);
        const player = newPlayer(request.picking, request.load);
        try {
            await player.ruffle().load(request.options);
            await firstFrame(player);
            show(player);
            report("%4");
        } catch (e) {
            // A superseded player goes and the one on show stays for the next request.
            document.body.removeChild(player);
            players.delete(player);
            if (e !== superseded) {
                show(null);
                report("%5");
            }
        }
    }
    running = false;
}
function request(next) {
    pending = next;
    if (!running)
        runRequests();
}

// A movie's file dialogs open nothing. Ruffle asks for a file to open
// (FileReference.browse) with a file input in a card of its own: the input
// opens no chooser, and the card is cancelled as soon as it is added, so the
// movie learns that the user cancelled. A file it saves would go out through
// a download link, which is never followed.
const pageClick = HTMLElement.prototype.click;
HTMLElement.prototype.click = function () {
    if ((this instanceof HTMLInputElement && this.type === "file")
        || (this instanceof HTMLAnchorElement && this.hasAttribute("download")))
        return;
    pageClick.call(this);
};
new MutationObserver(records => {
    for (const record of records) {
        for (const node of record.addedNodes) {
            if (node.id !== "rfd-overlay")
                continue;
            const cancel = Array.from(node.querySelectorAll("button")).find(button => button.textContent === "Cancel");
            if (cancel)
                pageClick.call(cancel);
        }
    }
}).observe(document.body, { childList: true });

// Ruffle reads a player's device fonts anew for each player it builds, a few
// megabytes a load. The page reads each font file once, when Ruffle first
// asks for it, and answers its later requests from those bytes; every other
// request goes out as before. Font files never change under their names:
// each is written once.
const fontFiles = new Set();
const fontBytes = new Map();
const pageFetch = window.fetch.bind(window);
function readFont(url) {
    if (!fontBytes.has(url)) {
        const bytes = pageFetch(url).then(response => {
            if (!response.ok)
                throw new Error(`cannot read ${url}`);
            return response.arrayBuffer();
        });
        bytes.catch(() => fontBytes.delete(url)); // tried again with the next load
        fontBytes.set(url, bytes);
    }
    return fontBytes.get(url);
}
window.fetch = (resource, init) => {
    if (typeof resource !== "string" || !fontFiles.has(resource))
        return pageFetch(resource, init);
    // Reading a response's body streams it in pieces; these bytes are at hand.
    return readFont(resource).then(font => {
        const response = new Response();
        response.arrayBuffer = () => Promise.resolve(font);
        return response;
    });
};

// A movie that may pick gets the player's script access, which lets it send
// fscommands; the page's policy still lets it run no script.
window.trevixLoad = (url, parameters, base, fontSources, picking, load) => {
    fontSources.forEach(font => fontFiles.add(font));
    picking = picking === true;
    request({ options: { url, parameters, base, fontSources, allowScriptAccess: picking }, picking, load });
};
window.trevixClear = () => request({ clear: true });
)";

QString scriptHash(const QString &script)
{
    return QStringLiteral("'sha256-%1'")
            .arg(QString::fromLatin1(
                    QCryptographicHash::hash(script.toUtf8(), QCryptographicHash::Sha256)
                            .toBase64()));
}

} // namespace

RuffleHostPage::RuffleHostPage(const QString &ruffleFolder, const FlashSettings &settings,
                               const QString &sansFamily)
    : m_ruffleFolder(ruffleFolder), m_settings(settings), m_sansFamily(sansFamily)
{}

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
            // A player ends its animation loop while the page is hidden, which
            // the page's rest builds on (the default, said for certain).
            {QStringLiteral("backgroundExecutionMode"), QStringLiteral("mainThread")},
            {QStringLiteral("autoplay"),
             m_settings.playing ? QStringLiteral("on") : QStringLiteral("off")},
            {QStringLiteral("menu"), m_settings.menu},
            {QStringLiteral("quality"), m_settings.quality2.toLower()},
            {QStringLiteral("scale"), m_settings.scale.toLower()},
            {QStringLiteral("salign"), m_settings.stageAlign},
            {QStringLiteral("wmode"), m_settings.windowMode.toLower()},
            // The movie never runs script in the page, whatever the design says.
            {QStringLiteral("allowScriptAccess"), false},
            {QStringLiteral("allowNetworking"), m_settings.allowNetworking.toLower()},
            {QStringLiteral("allowFullscreen"),
             m_settings.allowFullScreen.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0},
    };
    if (!m_sansFamily.isEmpty())
        c.insert(QStringLiteral("defaultFonts"),
                 QJsonObject{{QStringLiteral("sans"), QJsonArray{m_sansFamily}}});
    if (!m_settings.bgColor.isEmpty())
        c.insert(QStringLiteral("backgroundColor"), m_settings.bgColor);
    return c;
}

QString RuffleHostPage::html() const
{
    const QString ruffle = QUrl::fromLocalFile(m_ruffleFolder + QStringLiteral("/ruffle.js"))
                                   .toString(QUrl::FullyEncoded);
    const QString configScript = QString::fromLatin1(ConfigScript).arg(scriptLiteral(config()));
    const QString hostScript
            = QString::fromLatin1(HostScript)
                      .arg(QLatin1String(PickReport::Command), QLatin1String(PickReport::Pattern),
                           QLatin1String(PickReport::Prefix), QLatin1String(ShownReport),
                           QLatin1String(UnplayableReport), QLatin1String(SettledReport));
    const QString policy = QString::fromLatin1(PagePolicy)
                                   .arg(scriptHash(configScript) + QLatin1Char(' ')
                                        + scriptHash(hostScript));
    return QString::fromLatin1(PageTemplate)
            .arg(policy, configScript, ruffle.toHtmlEscaped(), hostScript);
}

QString RuffleHostPage::loadScript(const QString &movieFile, const QString &flashVars,
                                   const QString &baseFolder, const QStringList &fontFiles,
                                   bool picking, int load)
{
    QJsonArray fonts;
    for (const QString &file : fontFiles)
        fonts.append(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded));
    const QString parameters = movieParameters(flashVars, picking);
    return QStringLiteral("trevixLoad(%1, %2, %3, %4, %5, %6);")
            .arg(scriptLiteral(QUrl::fromLocalFile(movieFile).toString(QUrl::FullyEncoded)),
                 scriptLiteral(parameters), scriptLiteral(folderUrl(baseFolder)),
                 scriptLiteral(fonts), picking ? QStringLiteral("true") : QStringLiteral("false"),
                 QString::number(load));
}

QString RuffleHostPage::movieParameters(const QString &flashVars, bool picking)
{
    // The movie learns that the editor picks from its variables.
    return picking ? flashVars + QStringLiteral("&pick=1") : flashVars;
}

QString RuffleHostPage::clearScript()
{
    return QStringLiteral("trevixClear();");
}
