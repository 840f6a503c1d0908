import flash.Lib;
import flash.external.ExternalInterface;
import flash.net.URLRequest;

/**
	A movie loaded to pick that tries every way its player's script access
	offers into the page: script by ExternalInterface (as a function's name,
	through eval, and the page's own functions), javascript: links, and
	reports of every wrong shape. Then it fills the stage with 0x336699 and
	reports the key "done" the right way.
**/
class PickProbe {
	static inline var Script = "document.title = 'ran'; window.trevixRan = true;";

	static function main() {
		attempt(() -> ExternalInterface.call("(function () { " + Script + " })"));
		attempt(() -> ExternalInterface.call("eval", Script));
		attempt(() -> ExternalInterface.call("trevixClear"));
		attempt(() -> ExternalInterface.call("console.info", "trevix-pick:titleText"));
		attempt(() -> Lib.getURL(new URLRequest("javascript:" + Script), "_self"));
		attempt(() -> Lib.getURL(new URLRequest("javascript:" + Script), ""));
		Lib.fscommand("other", "titleText");
		Lib.fscommand("TREVIXPICK", "titleText");
		for (keys in [
			"", "titleText;alert(1)", "titleText\n", "titleText ", " titleText", "a,,b", ",titleText", "títle",
			"javascript:alert(1)", "<b>titleText</b>", StringTools.lpad("", "k", 21), [for (i in 0...17) "k" + i].join(",")
		])
			Lib.fscommand("trevixPick", keys);
		var g = Lib.current.graphics;
		g.beginFill(0x336699);
		g.drawRect(0, 0, 400, 300);
		g.endFill();
		Lib.fscommand("trevixPick", "done");
	}

	static function attempt(call:() -> Void) {
		try {
			call();
		} catch (e:Dynamic) {}
	}
}
