/** The blank movie: the stage's background and nothing else. **/
class Empty {
	static function main() {}
}
