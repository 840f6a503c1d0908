import flash.Lib;
import flash.events.Event;
import flash.events.IOErrorEvent;
import flash.events.MouseEvent;
import flash.net.FileReference;

/**
	A movie loaded to pick that asks for files: for one to open as it starts
	and again at the first click (with the click's user activation, which
	lets a page open a file chooser at once), and for a place to save one at
	the second click. It fills the stage with 0x669933 and reports, as keys
	of the pick command, how each ended: "opened" or "openCancelled", and
	"saveSelected", "saveCancelled", "saveFailed" or "saved".
**/
class FileDialogProbe {
	static var clicks = 0;

	static function main() {
		var g = Lib.current.graphics;
		g.beginFill(0x669933);
		g.drawRect(0, 0, 400, 300);
		g.endFill();
		browse();
		Lib.current.stage.addEventListener(MouseEvent.CLICK, _ -> if (++clicks == 1) browse() else if (clicks == 2) save());
	}

	static function browse() {
		var file = new FileReference();
		file.addEventListener(Event.SELECT, _ -> report("opened"));
		file.addEventListener(Event.CANCEL, _ -> report("openCancelled"));
		file.browse();
	}

	static function save() {
		var file = new FileReference();
		file.addEventListener(Event.SELECT, _ -> report("saveSelected"));
		file.addEventListener(Event.CANCEL, _ -> report("saveCancelled"));
		file.addEventListener(IOErrorEvent.IO_ERROR, _ -> report("saveFailed"));
		file.addEventListener(Event.COMPLETE, _ -> report("saved"));
		file.save("probe", "probe.txt");
	}

	static function report(keys:String) {
		Lib.fscommand("trevixPick", keys);
	}
}
